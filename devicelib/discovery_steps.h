#pragma once
// The steps of DiscoverEnclosure, in the order it runs them.

#include "devicelib/library_state.h"

namespace stowkeep::hatchlink {

void FindEnclosuresOnUsb();
void FindHubPorts();
void TieStorageInterfaces();
void CollectDriveLetters();

// Number of slots of a record that the fixed tables can hold.
inline std::uint32_t SlotsInUse(const EnclosureRecord& record) {
    return record.slotHeader[1] < kMaxSlots ? record.slotHeader[1] : kMaxSlots;
}

} // namespace stowkeep::hatchlink
