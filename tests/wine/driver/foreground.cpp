#include "tests/wine/driver/journey_commands.h"
#include "tests/wine/driver/output.h"
#include "tests/wine/driver/windows.h"

#include <cwchar>

namespace stowkeep::driver {

namespace {

constexpr const wchar_t* kOtherClass = L"StowkeepDriverOtherProgram";
constexpr const wchar_t* kOtherCaption = L"Another program";

} // namespace

// The user types in this window when the enclosure's button is pressed.
int OtherProgram(const Args& a) {
    WNDCLASSW type{};
    type.lpfnWndProc = DefWindowProcW;
    type.hInstance = GetModuleHandleW(nullptr);
    type.lpszClassName = kOtherClass;
    RegisterClassW(&type);
    HWND window = CreateWindowExW(0, kOtherClass, kOtherCaption, WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  40, 40, 400, 200, nullptr, nullptr, type.hInstance, nullptr);
    if (!window || !SetForegroundWindow(window) || GetForegroundWindow() != window)
        return Fail(L"the other program's window is not in front");
    Print(L"ready");
    const DWORD until = GetTickCount() + std::wcstoul(a[0].c_str(), nullptr, 10);
    MSG message;
    while (GetTickCount() < until) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    DestroyWindow(window);
    return 0;
}

int Foreground(const Args&) {
    HWND front = GetForegroundWindow();
    Print(front ? CaptionOf(front) : L"");
    return 0;
}

} // namespace stowkeep::driver
