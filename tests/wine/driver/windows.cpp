#include "tests/wine/driver/windows.h"

namespace stowkeep::driver {

namespace {

constexpr UINT kAnswerTimeoutMs = 5000;

struct TopLevelSearch {
    const std::wstring* caption;
    bool visibleOnly;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<TopLevelSearch*>(context);
    if (search.visibleOnly && !IsWindowVisible(window))
        return TRUE;
    if (CaptionOf(window) == *search.caption)
        search.found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

} // namespace

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                             &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied))
        return {};
    text.resize(copied);
    return text;
}

std::wstring CaptionOf(HWND window) {
    wchar_t caption[512] = {};
    GetWindowTextW(window, caption, 512);
    return caption;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::vector<HWND> TopLevelWindows(const std::wstring& caption, bool visibleOnly) {
    TopLevelSearch search{&caption, visibleOnly, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND DescendantWithText(HWND parent, const std::wstring& text) {
    for (HWND child : Descendants(parent))
        if (TextOf(child) == text)
            return child;
    return nullptr;
}

bool WaitUntil(const std::function<bool()>& ready, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    while (!ready()) {
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(50);
    }
    return true;
}

} // namespace stowkeep::driver
