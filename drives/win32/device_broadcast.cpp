#include "drives/win32/device_broadcast.h"

#include "drives/device_change_hook.h"

// clang-format off
#include <windows.h>
#include <dbt.h> // needs the types of windows.h
// clang-format on

namespace stowkeep::drives {

void HandleDeviceChangeMessage(std::uintptr_t wParam, std::intptr_t lParam) {
    const auto* header = reinterpret_cast<const DEV_BROADCAST_HDR*>(lParam);
    const std::uint32_t deviceType = header == nullptr ? 0 : header->dbch_devicetype;
    DeviceChangeHook::Process().OnDeviceChange(wParam, deviceType);
}

} // namespace stowkeep::drives
