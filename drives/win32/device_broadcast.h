#pragma once

#include <cstdint>

namespace stowkeep::drives {

// For the application window's procedure: after its own handling of
// WM_DEVICECHANGE, it passes wParam and lParam here. Reads the device type
// from the DEV_BROADCAST_HDR in lParam and feeds the process's hook.
void HandleDeviceChangeMessage(std::uintptr_t wParam, std::intptr_t lParam);

} // namespace stowkeep::drives
