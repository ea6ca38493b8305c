#include "tests/wine/driver/controls.h"

#include "tests/wine/driver/output.h"
#include "tests/wine/driver/windows.h"

#include <cstdio>
#include <set>

namespace stowkeep::driver {

namespace {

constexpr UINT kSendTimeoutMs = 5000;

HWND FirstWindow(const std::wstring& caption) {
    auto windows = TopLevelWindows(caption, false);
    return windows.empty() ? nullptr : windows.front();
}

// The descendant of the window captioned `caption` whose control id is `id`.
HWND ControlById(const std::wstring& caption, const std::wstring& id) {
    HWND window = FirstWindow(caption);
    wchar_t* end = nullptr;
    const int wanted = static_cast<int>(std::wcstol(id.c_str(), &end, 10));
    if (window && !id.empty() && *end == L'\0')
        for (HWND child : Descendants(window))
            if (GetDlgCtrlID(child) == wanted)
                return child;
    Fail(L"no control " + id + L" in \"" + caption + L"\"");
    return nullptr;
}

std::set<std::wstring> FileNames(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        names.insert(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

bool HasVisibleText(const std::wstring& caption, const std::wstring& text) {
    for (HWND window : TopLevelWindows(caption, true))
        for (HWND child : Descendants(window))
            if (IsWindowVisible(child) && TextOf(child) == text)
                return true;
    return false;
}

} // namespace

// One line per descendant: id, class, visible or hidden, enabled or disabled, text.
int Controls(const std::vector<std::wstring>& a) {
    HWND window = FirstWindow(a[0]);
    if (!window)
        return Fail(L"no window captioned \"" + a[0] + L"\"");
    for (HWND child : Descendants(window))
        Print(std::to_wstring(GetDlgCtrlID(child)) + L"\t" + ClassOf(child) + L"\t" +
              (IsWindowVisible(child) ? L"visible" : L"hidden") + L"\t" +
              (IsWindowEnabled(child) ? L"enabled" : L"disabled") + L"\t" + TextOf(child));
    return 0;
}

// Sent, so the control has its new text (and has told its owner) when we end.
int SetText(const std::vector<std::wstring>& a) {
    HWND control = ControlById(a[0], a[1]);
    if (!control)
        return 1;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(a[2].c_str()),
                             SMTO_ABORTIFHUNG, kSendTimeoutMs, &result) ||
        !result)
        return Fail(L"control " + a[1] + L" took no text");
    return 0;
}

// Posted, not sent: the click may open a modal box that waits for us.
int ClickId(const std::vector<std::wstring>& a) {
    HWND control = ControlById(a[0], a[1]);
    if (!control)
        return 1;
    PostMessageW(control, BM_CLICK, 0, 0);
    return 0;
}

int WaitText(const std::vector<std::wstring>& a) {
    const DWORD timeout = std::wcstoul(a[2].c_str(), nullptr, 10);
    if (!WaitUntil([&] { return HasVisibleText(a[0], a[1]); }, timeout))
        return Fail(L"no visible \"" + a[1] + L"\" in \"" + a[0] + L"\"");
    return 0;
}

// Whether the window's thread takes a message within MS: it is not stuck.
int Answers(const std::vector<std::wstring>& a) {
    HWND window = FirstWindow(a[0]);
    if (!window)
        return Fail(L"no window captioned \"" + a[0] + L"\"");
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG,
                             std::wcstoul(a[1].c_str(), nullptr, 10), &result))
        return Fail(L"\"" + a[0] + L"\" did not answer in time");
    return 0;
}

// Clicks the control the moment a file appears in FOLDER that was not there
// when we began ("watching" is printed then, before the control is looked
// up, which takes a while when its thread is busy): a look at the folder every
// millisecond or so catches work that a script's own looks, a process start
// each, would miss.
int ClickOnNewFile(const std::vector<std::wstring>& a) {
    const auto before = FileNames(a[2]);
    Print(L"watching");
    std::fflush(stdout);
    HWND window = FirstWindow(a[0]);
    HWND control = window ? DescendantWithText(window, a[1]) : nullptr;
    if (!control)
        return Fail(L"no control \"" + a[1] + L"\" in \"" + a[0] + L"\"");
    const ULONGLONG deadline = GetTickCount64() + std::wcstoul(a[3].c_str(), nullptr, 10);
    while (FileNames(a[2]) == before) {
        if (GetTickCount64() >= deadline)
            return Fail(L"no new file in " + a[2]);
        Sleep(1);
    }
    PostMessageW(control, BM_CLICK, 0, 0);
    return 0;
}

} // namespace stowkeep::driver
