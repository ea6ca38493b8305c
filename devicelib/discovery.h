#pragma once
// Finding the enclosure on USB and tying its storage interfaces, slots and drive
// letters together in EnclosureTable.

#include "devicelib/device_abi.h"

namespace stowkeep::hatchlink {

// Rebuilds EnclosureTable from scratch. Returns the command handle of the first
// enclosure (the caller closes it), or kInvalidHandle when none is usable.
Handle DiscoverEnclosure();

} // namespace stowkeep::hatchlink
