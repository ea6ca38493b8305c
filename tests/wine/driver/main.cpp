// stowkeep_driver: drives the running program like a user, through its windows.
// Each command prints what it read (UTF-8, one item a line) and exits with 0 when
// it could do what was asked, 1 otherwise, so a shell script can check both.
#include "tests/wine/driver/controls.h"
#include "tests/wine/driver/journey_commands.h"
#include "tests/wine/driver/list_view.h"
#include "tests/wine/driver/output.h"
#include "tests/wine/driver/windows.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>
#include <map>
#include <memory>
#include <string>
#include <tlhelp32.h>
#include <vector>

namespace stowkeep::driver {

namespace {

using Args = std::vector<std::wstring>;

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

DWORD Number(const std::wstring& text) {
    return static_cast<DWORD>(std::wcstoul(text.c_str(), nullptr, 10));
}

// The one window with this caption, visible or not; null (and a message) otherwise.
HWND OnlyWindow(const std::wstring& caption) {
    auto windows = TopLevelWindows(caption, false);
    if (windows.empty())
        Fail(L"no window captioned \"" + caption + L"\"");
    return windows.empty() ? nullptr : windows.front();
}

int Start(const Args& a) {
    std::wstring commandLine = L"\"" + a[0] + L"\"";
    if (a.size() > 2)
        commandLine += L" " + a[2];
    const wchar_t* folder = a.size() > 1 && !a[1].empty() ? a[1].c_str() : nullptr;
    // No standard handles: the program must not hold our output open, or a
    // shell reading it would wait for the program to end.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(a[0].c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder, &startup, &started))
        return Fail(L"cannot start " + a[0]);
    Handle process(started.hProcess), thread(started.hThread);
    WaitForInputIdle(process.get(), 60000);
    Print(std::to_wstring(started.dwProcessId));
    return 0;
}

// Prints the exit code, or "ended" when the process was gone before we looked.
int WaitExit(const Args& a) {
    Handle process(
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, Number(a[0])));
    if (!process) {
        Print(L"ended");
        return 0;
    }
    if (WaitForSingleObject(process.get(), Number(a[1])) != WAIT_OBJECT_0)
        return Fail(L"process " + a[0] + L" still runs");
    DWORD code = 0;
    GetExitCodeProcess(process.get(), &code);
    Print(std::to_wstring(code));
    return 0;
}

int Alive(const Args& a) {
    Handle process(OpenProcess(SYNCHRONIZE, FALSE, Number(a[0])));
    const bool running = process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
    Print(running ? L"running" : L"ended");
    return 0;
}

// The full path of every module loaded in the process, the exe first.
int Modules(const Args& a) {
    HANDLE raw = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, Number(a[0]));
    if (raw == INVALID_HANDLE_VALUE)
        return Fail(L"cannot list the modules of process " + a[0]);
    Handle snapshot(raw);
    MODULEENTRY32W module{};
    module.dwSize = sizeof module;
    for (BOOL more = Module32FirstW(snapshot.get(), &module); more;
         more = Module32NextW(snapshot.get(), &module))
        Print(module.szExePath);
    return 0;
}

int Kill(const Args& a) {
    Handle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, Number(a[0])));
    if (!process)
        return 0;
    TerminateProcess(process.get(), 1);
    WaitForSingleObject(process.get(), 10000);
    return 0;
}

int WaitState(const Args& a, int wanted) {
    // wanted: 0 exists, 1 visible, 2 hidden or gone
    const bool ok = WaitUntil(
        [&] {
            auto all = TopLevelWindows(a[0], false);
            if (wanted == 0)
                return !all.empty();
            bool anyVisible = false;
            for (HWND w : all)
                anyVisible = anyVisible || IsWindowVisible(w);
            return wanted == 1 ? anyVisible : !anyVisible;
        },
        Number(a[1]));
    return ok ? 0 : Fail(L"window \"" + a[0] + L"\" did not reach the state asked for");
}

// One line per top-level window with this caption: its class, process id and
// whether it is visible; for finding out what a test is looking at.
int List(const Args& a) {
    for (HWND window : TopLevelWindows(a[0], false)) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        Print(ClassOf(window) + L"\t" + std::to_wstring(processId) + L"\t" +
              (IsWindowVisible(window) ? L"visible" : L"hidden"));
    }
    return 0;
}

int Count(const Args& a) {
    Print(std::to_wstring(TopLevelWindows(a[0], true).size()));
    return 0;
}

int ClientSize(const Args& a) {
    HWND window = OnlyWindow(a[0]);
    if (!window)
        return 1;
    RECT client{};
    GetClientRect(window, &client);
    Print(std::to_wstring(client.right - client.left) + L"x" +
          std::to_wstring(client.bottom - client.top));
    return 0;
}

// One line per visible descendant: its text. Hidden pages and stores stay out.
int Texts(const Args& a) {
    HWND window = OnlyWindow(a[0]);
    if (!window)
        return 1;
    for (HWND child : Descendants(window))
        if (IsWindowVisible(child)) {
            auto text = TextOf(child);
            if (!text.empty())
                Print(text);
        }
    return 0;
}

int Click(const Args& a) {
    HWND window = OnlyWindow(a[0]);
    if (!window)
        return 1;
    HWND button = DescendantWithText(window, a[1]);
    if (!button)
        return Fail(L"no control \"" + a[1] + L"\" in \"" + a[0] + L"\"");
    // Posted, not sent: the click may open a modal box that waits for us.
    PostMessageW(button, BM_CLICK, 0, 0);
    return 0;
}

int Command(const Args& a) {
    HWND window = OnlyWindow(a[0]);
    if (!window)
        return 1;
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(Number(a[1]), 0), 0);
    return 0;
}

int Close(const Args& a) {
    HWND window = OnlyWindow(a[0]);
    if (!window)
        return 1;
    PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    return 0;
}

// A message box: a visible window with this caption that holds a button.
HWND MessageBoxWindow(const std::wstring& caption) {
    for (HWND window : TopLevelWindows(caption, true))
        for (HWND child : Descendants(window))
            if (ClassOf(child) == L"Button")
                return window;
    return nullptr;
}

int Message(const Args& a) {
    HWND box = nullptr;
    if (!WaitUntil([&] { return (box = MessageBoxWindow(a[0])) != nullptr; }, Number(a[1])))
        return Fail(L"no message box captioned \"" + a[0] + L"\"");
    for (HWND child : Descendants(box))
        if (IsWindowVisible(child) && ClassOf(child) != L"Button") {
            auto text = TextOf(child);
            if (!text.empty())
                Print(text);
        }
    return 0;
}

int Press(const Args& a) {
    HWND box = MessageBoxWindow(a[0]);
    HWND button = box ? DescendantWithText(box, a[1]) : nullptr;
    if (!button)
        return Fail(L"no button \"" + a[1] + L"\" in a box captioned \"" + a[0] + L"\"");
    PostMessageW(button, BM_CLICK, 0, 0);
    return 0;
}

int Rows(const Args& a) {
    HWND window = OnlyWindow(a[0]);
    if (!window)
        return 1;
    HWND listView = GetDlgItem(window, static_cast<int>(Number(a[1])));
    for (HWND child : Descendants(window))
        if (!listView && GetDlgCtrlID(child) == static_cast<int>(Number(a[1])))
            listView = child;
    if (!listView)
        return Fail(L"no list view " + a[1]);
    for (const auto& row : ListViewRows(listView)) {
        std::wstring line;
        for (const auto& cell : row)
            line += (line.empty() ? L"" : L"\t") + cell;
        Print(line);
    }
    return 0;
}

struct CommandEntry {
    size_t argumentCount;
    int (*run)(const Args&);
    const wchar_t* usage;
};

const std::map<std::wstring, CommandEntry>& Commands() {
    static const std::map<std::wstring, CommandEntry> table = {
        {L"start", {1, Start, L"start EXE [FOLDER [ARGUMENTS]]  (prints the process id)"}},
        {L"wait-exit", {2, WaitExit, L"wait-exit PID MS  (prints the exit code)"}},
        {L"kill", {1, Kill, L"kill PID"}},
        {L"alive", {1, Alive, L"alive PID  (prints running or ended)"}},
        {L"modules", {1, Modules, L"modules PID  (full paths of its loaded modules)"}},
        {L"wait-window",
         {2, [](const Args& a) { return WaitState(a, 0); }, L"wait-window CAPTION MS"}},
        {L"wait-visible",
         {2, [](const Args& a) { return WaitState(a, 1); }, L"wait-visible CAPTION MS"}},
        {L"wait-hidden",
         {2, [](const Args& a) { return WaitState(a, 2); }, L"wait-hidden CAPTION MS"}},
        {L"count", {1, Count, L"count CAPTION  (visible windows)"}},
        {L"list", {1, List, L"list CAPTION  (class, process id, visibility)"}},
        {L"client-size", {1, ClientSize, L"client-size CAPTION  (prints WxH)"}},
        {L"texts", {1, Texts, L"texts CAPTION  (visible controls' texts)"}},
        {L"click", {2, Click, L"click CAPTION CONTROL-TEXT"}},
        {L"command", {2, Command, L"command CAPTION ID  (WM_COMMAND)"}},
        {L"close", {1, Close, L"close CAPTION  (title-bar close)"}},
        {L"message", {2, Message, L"message CAPTION MS  (waits for a box, prints its texts)"}},
        {L"press", {2, Press, L"press CAPTION BUTTON-TEXT"}},
        {L"rows", {2, Rows, L"rows CAPTION LIST-VIEW-ID  (tab-separated cells)"}},
        {L"controls", {1, Controls, L"controls CAPTION  (id, class, visible, enabled, text)"}},
        {L"set-text", {3, SetText, L"set-text CAPTION CONTROL-ID TEXT  (WM_SETTEXT)"}},
        {L"click-id", {2, ClickId, L"click-id CAPTION CONTROL-ID"}},
        {L"wait-text", {3, WaitText, L"wait-text CAPTION TEXT MS  (a visible control's text)"}},
        {L"answers", {2, Answers, L"answers CAPTION MS  (its thread takes a message in time)"}},
        {L"click-on-new-file",
         {4, ClickOnNewFile, L"click-on-new-file CAPTION CONTROL-TEXT FOLDER MS"}},
        {L"hold-file", {2, HoldFile, L"hold-file PATH MS  (prints its process id once held)"}},
        {L"snap", {3, Snap, L"snap CAPTION CONTROL-TEXT FILE  (keeps its look)"}},
        {L"wait-look", {4, WaitLook, L"wait-look CAPTION CONTROL-TEXT FILE MS"}},
        {L"wait-new-look", {4, WaitNewLook, L"wait-new-look CAPTION CONTROL-TEXT FILE MS"}},
        {L"tray-menu", {2, TrayMenu, L"tray-menu TIP ITEM  (chooses the ITEM-th entry)"}},
        {L"end-session", {1, EndSession, L"end-session CAPTION  (logoff; prints the answer)"}},
        {L"tray-window", {1, TrayWindow, L"tray-window TIP  (prints the icon window's handle)"}},
        {L"tray-icon", {1, TrayIcon, L"tray-icon HANDLE  (prints shown or gone)"}},
        {L"tray-restart", {1, TrayRestart, L"tray-restart HANDLE  (as a restarted Explorer)"}},
        {L"other-program", {1, OtherProgram, L"other-program MS  (prints ready once in front)"}},
        {L"foreground", {0, Foreground, L"foreground  (prints the caption in front)"}},
    };
    return table;
}

int Usage() {
    for (const auto& [name, entry] : Commands())
        std::fwprintf(stderr, L"  %ls\n", entry.usage);
    return 2;
}

} // namespace

} // namespace stowkeep::driver

int wmain(int argc, wchar_t** argv) {
    using namespace stowkeep::driver;
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2)
        return Usage();
    auto found = Commands().find(argv[1]);
    Args args(argv + 2, argv + argc);
    if (found == Commands().end() || args.size() < found->second.argumentCount)
        return Usage();
    return found->second.run(args);
}
