#include "tests/wine/driver/journey_commands.h"
#include "tests/wine/driver/output.h"
#include "tests/wine/driver/windows.h"

#include <cstdio>

namespace stowkeep::driver {

namespace {

// The icon's messages go to a hidden window of this class whose text is the tip.
constexpr const wchar_t* kIconWindowClass = L"StowkeepMessageWindow";
// The message the program asked the shell to send it for the icon's mouse events.
constexpr UINT kIconCallback = WM_APP + 10;
constexpr DWORD kPatienceMs = 10000;

HWND IconWindow(const std::wstring& tip) {
    for (HWND window : TopLevelWindows(tip, false))
        if (ClassOf(window) == kIconWindowClass)
            return window;
    return nullptr;
}

struct MenuSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindOpenMenu(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<MenuSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window) && ClassOf(window) == L"#32768") {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

void PostKey(HWND window, UINT key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, 1 | (1u << 30) | (1u << 31));
}

} // namespace

int TrayMenu(const Args& a) {
    HWND icon = IconWindow(a[0]);
    if (!icon)
        return Fail(L"no notification icon \"" + a[0] + L"\"");
    MenuSearch search{0, nullptr};
    GetWindowThreadProcessId(icon, &search.processId);
    // What the shell sends when the user releases the right button on the icon.
    PostMessageW(icon, kIconCallback, 1, WM_RBUTTONUP);
    if (!WaitUntil([&] { return !EnumWindows(FindOpenMenu, reinterpret_cast<LPARAM>(&search)); },
                   kPatienceMs))
        return Fail(L"the icon's menu did not open");
    const long item = std::wcstol(a[1].c_str(), nullptr, 10);
    for (long i = 0; i < item; ++i)
        PostKey(search.found, VK_DOWN);
    PostKey(search.found, VK_RETURN);
    return 0;
}

int EndSession(const Args& a) {
    auto windows = TopLevelWindows(a[0], false);
    if (windows.empty())
        return Fail(L"no window captioned \"" + a[0] + L"\"");
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(windows.front(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                             SMTO_ABORTIFHUNG, kPatienceMs, &answer))
        return Fail(L"no answer to WM_QUERYENDSESSION");
    std::printf("%lu\n", static_cast<unsigned long>(answer));
    std::fflush(stdout);
    // The program ends while it handles this one, so no answer is expected.
    SendMessageTimeoutW(windows.front(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                        kPatienceMs, nullptr);
    return 0;
}

} // namespace stowkeep::driver
