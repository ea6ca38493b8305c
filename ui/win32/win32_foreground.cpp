#include "ui/win32/win32_foreground.h"

#include "ui/win32/windows_api.h"

namespace stowkeep::ui::win32 {

namespace {

HWND hwndOf(ForegroundSeam::Handle window) {
    return reinterpret_cast<HWND>(window);
}

void flashUntilInFront(HWND window, DWORD what) {
    FLASHWINFO flash{sizeof(flash), window, what | FLASHW_TIMERNOFG, 0, 0};
    FlashWindowEx(&flash);
}

} // namespace

ForegroundSeam::Handle Win32Foreground::foreground() {
    return reinterpret_cast<Handle>(GetForegroundWindow());
}

bool Win32Foreground::setForeground(Handle window) {
    return SetForegroundWindow(hwndOf(window)) != FALSE;
}

bool Win32Foreground::attachInput(Handle window, bool attach) {
    DWORD theirs = GetWindowThreadProcessId(hwndOf(window), nullptr);
    DWORD ours = GetCurrentThreadId();
    return theirs != 0 && theirs != ours && AttachThreadInput(ours, theirs, attach) != FALSE;
}

void Win32Foreground::bringToTop(Handle window) {
    BringWindowToTop(hwndOf(window));
}

// An owned window has no taskbar button of its own: its root owner's flashes there.
void Win32Foreground::flash(Handle window) {
    flashUntilInFront(hwndOf(window), FLASHW_CAPTION);
    HWND owner = GetAncestor(hwndOf(window), GA_ROOTOWNER);
    flashUntilInFront(owner ? owner : hwndOf(window), FLASHW_TRAY);
}

} // namespace stowkeep::ui::win32
