#pragma once

#include "ui/win32/windows_api.h"

#include <string>
#include <vector>

namespace stowkeep::ui::probe {

// Reading real windows the way a screen reader or test driver does.
std::wstring textOf(HWND window);
std::wstring classOf(HWND window);
std::vector<HWND> descendants(HWND parent);
HWND childWithText(HWND parent, const std::wstring& text);
// The visible top-level windows of this thread with that caption.
std::vector<HWND> threadWindows(const std::wstring& caption);
std::wstring listCell(HWND listView, int row, int column);

} // namespace stowkeep::ui::probe
