#include "tests/ui/win32_probe.h"

#include "ui/win32/windows_api.h"

namespace stowkeep::ui::probe {

namespace {

BOOL CALLBACK collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

} // namespace

std::wstring textOf(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

std::wstring classOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> found;
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND childWithText(HWND parent, const std::wstring& text) {
    for (HWND child : descendants(parent))
        if (textOf(child) == text)
            return child;
    return nullptr;
}

std::vector<HWND> threadWindows(const std::wstring& caption) {
    std::vector<HWND> all, matching;
    EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all)
        if (IsWindowVisible(window) && textOf(window) == caption)
            matching.push_back(window);
    return matching;
}

std::wstring listCell(HWND listView, int row, int column) {
    wchar_t text[256] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 256;
    SendMessageW(listView, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
    return text;
}

} // namespace stowkeep::ui::probe
