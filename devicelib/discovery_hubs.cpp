#include "devicelib/device_tree.h"
#include "devicelib/discovery_steps.h"
#include "devicelib/os_table.h"
#include "devicelib/scoped_handles.h"
#include "devicelib/text_units.h"

#include <cstring>

namespace stowkeep::hatchlink {

namespace {

bool IsHubOfSomeRecord(DevInst hub) {
    for (std::uint32_t r = 0; r < EnclosureTable.count; ++r)
        if (EnclosureTable.records[r].hubDevInst == hub)
            return true;
    return false;
}

std::uint16_t ReadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ReadU32(const std::uint8_t* p) {
    std::uint32_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

std::uint8_t PortCount(Handle hub) {
    std::uint8_t info[kNodeInformationSize] = {};
    std::uint32_t returned = 0;
    if (!Os().DeviceIoControl(hub, kIoctlUsbGetNodeInformation, info, sizeof info, info,
                              sizeof info, &returned))
        return 0;
    return info[kNodePortCountOffset];
}

void ClaimPort(const InterfaceWalk& walk, std::uint32_t port, std::uint32_t vendorId,
               std::uint32_t productId) {
    for (std::uint32_t r = 0; r < EnclosureTable.count; ++r) {
        EnclosureRecord& record = EnclosureTable.records[r];
        if (record.hubPort == 0 && record.hubDevInst == walk.Device() &&
            record.vendorId == vendorId && record.productId == productId) {
            CopyText(record.hubPath, kPathUnits, walk.Path(), walk.PathCapacity());
            record.hubPort = port;
            return;
        }
    }
}

void ExaminePort(Handle hub, const InterfaceWalk& walk, std::uint32_t port) {
    std::uint8_t connection[kConnectionInfoSize] = {};
    std::memcpy(connection, &port, sizeof port);
    std::uint32_t returned = 0;
    if (!Os().DeviceIoControl(hub, kIoctlUsbGetNodeConnectionInformationEx, connection,
                              sizeof connection, connection, sizeof connection, &returned))
        return;
    if (ReadU32(connection + kConnectionStatusOffset) != kDeviceConnected)
        return;
    ClaimPort(walk, port, ReadU16(connection + kConnectionIdVendorOffset),
              ReadU16(connection + kConnectionIdProductOffset));
}

} // namespace

void FindHubPorts() {
    InterfaceWalk walk(kGuidUsbHub);
    while (walk.Next()) {
        if (!IsHubOfSomeRecord(walk.Device()))
            continue;
        ScopedFile hub(
            Os().CreateFileW(walk.Path(), kGenericRead, kFileShareRead, kOpenExisting, 0));
        if (!hub.Valid())
            continue;
        const std::uint8_t ports = PortCount(hub.Get());
        for (std::uint32_t port = 1; port <= ports; ++port)
            ExaminePort(hub.Get(), walk, port);
    }
}

} // namespace stowkeep::hatchlink
