#include "sim/flavour/volume_broadcasts.h"

// clang-format off
#include <windows.h>
#include <dbt.h> // needs the types of windows.h
// clang-format on

#include <vector>

namespace stowkeep::sim::flavour {

namespace {

// A window that does not answer within this time is passed over, as the
// system does with hung windows.
constexpr UINT kAnswerTimeoutMs = 2000;

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

} // namespace

void BroadcastVolumeChange(wchar_t letter, bool arrived) {
    DEV_BROADCAST_VOLUME volume{};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    volume.dbcv_unitmask = 1u << (letter - L'A');
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    const WPARAM event = arrived ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
    for (HWND window : windows) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(&volume),
                            SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer);
    }
}

} // namespace stowkeep::sim::flavour
