#include "devicelib/discovery.h"

#include "devicelib/accepted_devices.h"
#include "devicelib/device_tree.h"
#include "devicelib/discovery_steps.h"
#include "devicelib/os_table.h"
#include "devicelib/scoped_handles.h"
#include "devicelib/text_units.h"

#include <cstring>

namespace stowkeep::hatchlink {

namespace {

const AcceptedDeviceId* MatchAcceptedRow(int idLength) {
    if (idLength < kAcceptedPrefixLength)
        return nullptr;
    for (const AcceptedDeviceId* row = AcceptedDeviceIds; row->prefix[0] != 0; ++row)
        if (SameUnits(Scratch.deviceId, row->prefix, kAcceptedPrefixLength))
            return row;
    return nullptr;
}

void AddEnclosure(DevInst device) {
    const AcceptedDeviceId* row = MatchAcceptedRow(ReadDeviceId(device));
    DevInst parent = 0;
    if (!row || Os().CM_Get_Parent(&parent, device, 0) != kCrSuccess)
        return;
    EnclosureRecord& record = EnclosureTable.records[EnclosureTable.count++];
    record.usbDevInst = device;
    record.hubDevInst = parent;
    record.vendorId = row->vendorId;
    record.productId = row->productId;
}

Handle OpenCommandHandle() {
    if (EnclosureTable.count == 0)
        return kInvalidHandle;
    const EnclosureRecord& first = EnclosureTable.records[0];
    if (IsAdministrator)
        return Os().CreateFileW(first.unitPaths[0], kGenericRead | kGenericWrite,
                                kFileShareRead | kFileShareWrite, kOpenExisting, 0);
    return Os().CreateFileW(first.hubPath, kGenericRead, kFileShareRead, kOpenExisting, 0);
}

bool AnyUnitTied() {
    for (std::uint32_t r = 0; r < EnclosureTable.count; ++r)
        if (EnclosureTable.records[r].unitCount > 0)
            return true;
    return false;
}

} // namespace

void FindEnclosuresOnUsb() {
    ScopedDeviceSet set(
        Os().SetupDiGetClassDevsW(nullptr, u"USB", kDigcfPresent | kDigcfAllClasses));
    if (!set.Valid())
        return;
    DevInfoData device{};
    device.cbSize = sizeof device;
    for (std::uint32_t i = 0;
         EnclosureTable.count < kMaxEnclosures && Os().SetupDiEnumDeviceInfo(set.Get(), i, &device);
         ++i)
        AddEnclosure(device.devInst);
}

Handle DiscoverEnclosure() {
    std::memset(&EnclosureTable, 0, sizeof EnclosureTable);
    FindEnclosuresOnUsb();
    if (EnclosureTable.count == 0)
        return kInvalidHandle;
    FindHubPorts();
    TieStorageInterfaces();
    if (!AnyUnitTied()) {
        EnclosureTable.count = 0;
        return kInvalidHandle;
    }
    CollectDriveLetters();
    CurrentHubPort = EnclosureTable.records[0].hubPort;
    return OpenCommandHandle();
}

} // namespace stowkeep::hatchlink
