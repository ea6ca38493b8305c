#include "ui/win32/dpi.h"

#include "ui/win32/windows_api.h"

namespace stowkeep::ui::win32 {

namespace {

template <class F> F user32Function(const char* name) {
    return reinterpret_cast<F>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT systemDpi() {
    HDC screen = GetDC(nullptr);
    UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return dpi ? dpi : 96;
}

} // namespace

void makeProcessDpiAware() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    if (auto set = user32Function<SetContext>("SetProcessDpiAwarenessContext")) {
        // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, then V1 for older systems.
        if (set(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-4))) ||
            set(reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-3))))
            return;
    }
    using SetAware = BOOL(WINAPI*)();
    if (auto setAware = user32Function<SetAware>("SetProcessDPIAware"))
        setAware();
}

UINT dpiOfWindow(HWND window) {
    using GetDpi = UINT(WINAPI*)(HWND);
    static auto get = user32Function<GetDpi>("GetDpiForWindow");
    UINT dpi = get && window ? get(window) : 0;
    return dpi ? dpi : systemDpi();
}

RECT windowRectForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi) {
    RECT rect{0, 0, client.cx, client.cy};
    using Adjust = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static auto adjust = user32Function<Adjust>("AdjustWindowRectExForDpi");
    if (!adjust || !adjust(&rect, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return rect;
}

} // namespace stowkeep::ui::win32
