#include "tests/wine/driver/journey_commands.h"
#include "tests/wine/driver/output.h"
#include "tests/wine/driver/windows.h"

#include <cstdio>
#include <cwchar>
#include <shellapi.h>
#include <string>

namespace stowkeep::driver {

namespace {

// The icon's messages go to a hidden window of this class whose text is the tip.
constexpr const wchar_t* kIconWindowClass = L"StowkeepMessageWindow";
// The message the program asked the shell to send it for the icon's mouse events.
constexpr UINT kIconCallback = WM_APP + 10;
constexpr UINT kIconId = 1;
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

// The icon as the shell keeps it: a change that changes nothing succeeds only
// while the shell has an icon of that window and id.
bool IconShown(HWND owner) {
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = owner;
    icon.uID = kIconId;
    return Shell_NotifyIconW(NIM_MODIFY, &icon) != FALSE;
}

HWND HandleFrom(const std::wstring& text) {
    return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::wcstoull(text.c_str(), nullptr, 10)));
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

int TrayWindow(const Args& a) {
    HWND icon = IconWindow(a[0]);
    if (!icon)
        return Fail(L"no notification icon \"" + a[0] + L"\"");
    Print(std::to_wstring(reinterpret_cast<ULONG_PTR>(icon)));
    return 0;
}

int TrayIcon(const Args& a) {
    Print(IconShown(HandleFrom(a[0])) ? L"shown" : L"gone");
    return 0;
}

// What a restarted Explorer does to the icon: it has forgotten it, and tells
// the window so. Sent to that window only, to leave other programs alone.
int TrayRestart(const Args& a) {
    HWND owner = HandleFrom(a[0]);
    NOTIFYICONDATAW icon{};
    icon.cbSize = sizeof(icon);
    icon.hWnd = owner;
    icon.uID = kIconId;
    if (!Shell_NotifyIconW(NIM_DELETE, &icon) || IconShown(owner))
        return Fail(L"the shell did not forget the icon");
    const UINT restarted = RegisterWindowMessageW(L"TaskbarCreated");
    SendMessageTimeoutW(owner, restarted, 0, 0, SMTO_ABORTIFHUNG, kPatienceMs, nullptr);
    if (!WaitUntil([&] { return IconShown(owner); }, kPatienceMs))
        return Fail(L"the icon did not come back");
    Print(L"shown");
    return 0;
}

} // namespace stowkeep::driver
