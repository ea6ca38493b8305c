#pragma once

#include <atomic>
#include <string>

namespace stowkeep {

// Process-wide state of the main window that several subsystems read and write.
// Everything but the exit flag is touched on the user-interface thread only.
struct MainState {
    std::wstring DeviceState = L"non"; // "non", "ok" or "over"
    std::wstring DeviceRoot;           // e.g. "E:\"; empty unless DeviceState is "ok"
    std::wstring BackupState = L"non"; // "non" or "loding"
    std::atomic<int> ExitFlag{0};      // 1 once the Exit command has begun
};

} // namespace stowkeep
