#include "devicelib/device_tree.h"

#include "devicelib/library_state.h"
#include "devicelib/os_table.h"
#include "devicelib/text_units.h"

#include <cstring>

namespace stowkeep::hatchlink {

int ReadDeviceId(DevInst device) {
    char16_t* id = Scratch.deviceId;
    std::memset(id, 0, sizeof Scratch.deviceId);
    if (Os().CM_Get_Device_IDW(device, id, kPathUnits, 0) != kCrSuccess)
        return -1;
    id[kPathUnits - 1] = 0;
    return static_cast<int>(TextLength(id, kPathUnits));
}

InterfaceWalk::InterfaceWalk(const Guid& interfaceClass)
    : class_(interfaceClass),
      set_(Os().SetupDiGetClassDevsW(&interfaceClass, nullptr,
                                     kDigcfPresent | kDigcfDeviceInterface)) {}

bool InterfaceWalk::Next() {
    if (!set_.Valid())
        return false;
    for (;;) {
        DeviceInterfaceData data{};
        data.cbSize = sizeof data;
        if (!Os().SetupDiEnumDeviceInterfaces(set_.Get(), &class_, index_++, &data))
            return false;
        std::memset(Scratch.detail, 0, sizeof Scratch.detail);
        auto* detail = reinterpret_cast<DeviceInterfaceDetail*>(Scratch.detail);
        detail->cbSize = sizeof(DeviceInterfaceDetail);
        DevInfoData device{};
        device.cbSize = sizeof device;
        if (Os().SetupDiGetDeviceInterfaceDetailW(set_.Get(), &data, detail, sizeof Scratch.detail,
                                                  &device)) {
            Scratch.detail[sizeof Scratch.detail - 1] = 0;
            Scratch.detail[sizeof Scratch.detail - 2] = 0;
            device_ = device.devInst;
            return true;
        }
    }
}

const char16_t* InterfaceWalk::Path() const {
    return reinterpret_cast<const char16_t*>(Scratch.detail + kDetailPathOffset);
}

std::size_t InterfaceWalk::PathCapacity() const {
    return (sizeof Scratch.detail - kDetailPathOffset) / sizeof(char16_t);
}

} // namespace stowkeep::hatchlink
