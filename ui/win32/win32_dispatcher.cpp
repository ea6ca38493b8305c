#include "ui/win32/win32_dispatcher.h"

#include "ui/win32/windows_api.h"

namespace stowkeep::ui::win32 {

namespace {
constexpr UINT RunQueued = WM_APP + 1;
constexpr const wchar_t* DispatcherClass = L"StowkeepDispatcher";
} // namespace

Win32Dispatcher::Win32Dispatcher(HINSTANCE instance, std::function<bool(MSG&)> preTranslate)
    : wakeEvent_(CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      preTranslate_(std::move(preTranslate)),
      queue_([this] { PostMessageW(window_, RunQueued, 0, 0); }) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof(type);
    type.lpfnWndProc = &windowProc;
    type.hInstance = instance;
    type.lpszClassName = DispatcherClass;
    RegisterClassExW(&type);
    window_ = CreateWindowExW(0, DispatcherClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              instance, nullptr);
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Dispatcher::~Win32Dispatcher() {
    queue_.stop();
    DestroyWindow(window_);
    CloseHandle(wakeEvent_);
}

LRESULT CALLBACK Win32Dispatcher::windowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* self = reinterpret_cast<Win32Dispatcher*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == RunQueued) {
        self->queue_.runPending();
        return 0;
    }
    if (self && message == WM_TIMER) {
        auto found = self->timers_.find(wParam);
        if (found != self->timers_.end()) {
            auto handler = found->second; // the handler may stop its own timer
            handler();
        }
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void Win32Dispatcher::dispatch(MSG& message) {
    if (preTranslate_ && preTranslate_(message))
        return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

void Win32Dispatcher::processPendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            pendingQuit_ = static_cast<int>(message.wParam);
            break;
        }
        dispatch(message);
    }
    queue_.runPending();
}

void Win32Dispatcher::waitUntil(Signal& signal) {
    HANDLE wake = wakeEvent_;
    auto previous = signal.exchangeWaker([wake] { SetEvent(wake); });
    while (!signal.isSet()) {
        processPendingMessages();
        if (signal.isSet())
            break;
        MsgWaitForMultipleObjectsEx(1, &wakeEvent_, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
    signal.exchangeWaker(std::move(previous));
}

UINT_PTR Win32Dispatcher::startTimer(UINT milliseconds, std::function<void()> handler) {
    UINT_PTR id = nextTimer_++;
    timers_[id] = std::move(handler);
    SetTimer(window_, id, milliseconds, nullptr);
    return id;
}

void Win32Dispatcher::stopTimer(UINT_PTR id) {
    KillTimer(window_, id);
    timers_.erase(id);
}

void Win32Timer::start() {
    if (!id_)
        id_ = dispatcher_.startTimer(milliseconds_, handler_);
}

void Win32Timer::stop() {
    if (id_)
        dispatcher_.stopTimer(id_);
    id_ = 0;
}

} // namespace stowkeep::ui::win32
