#pragma once

#include "ui/win32/windows_api.h"

namespace stowkeep::ui::win32 {

// Per-monitor DPI helpers; the functions are looked up at run time because older
// systems (and some Wine versions) lack them.
void makeProcessDpiAware();
UINT dpiOfWindow(HWND window);
RECT windowRectForClient(SIZE client, DWORD style, DWORD exStyle, UINT dpi);

inline int scaled(int logical, UINT dpi) {
    return MulDiv(logical, static_cast<int>(dpi), 96);
}

} // namespace stowkeep::ui::win32
