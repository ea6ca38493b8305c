#pragma once

#include "ui/dispatcher.h"
#include "ui/task_queue.h"
#include "ui/timer.h"
#include "ui/win32/windows_api.h"

#include <functional>
#include <map>
#include <optional>

namespace stowkeep::ui::win32 {

// The UI thread's queue on a message-only window: posted work wakes the thread with a
// window message; waits sleep in MsgWaitForMultipleObjects until a message or the signal.
class Win32Dispatcher : public Dispatcher {
  public:
    explicit Win32Dispatcher(HINSTANCE instance, std::function<bool(MSG&)> preTranslate);
    ~Win32Dispatcher() override;

    void post(std::function<void()> work) override { queue_.post(std::move(work)); }
    bool send(std::function<void()> work) override { return queue_.send(std::move(work)); }
    void processPendingMessages() override;
    void waitUntil(Signal& signal) override;
    bool onUiThread() const override { return queue_.onOwnerThread(); }
    void stop() override { queue_.stop(); }

    // One message through keyboard navigation, translation and dispatch.
    void dispatch(MSG& message);
    // A quit request that a nested message loop took from the queue: the main loop ends
    // with its code.
    std::optional<int> pendingQuit() const { return pendingQuit_; }
    void clearPendingQuit() { pendingQuit_.reset(); }

    UINT_PTR startTimer(UINT milliseconds, std::function<void()> handler);
    void stopTimer(UINT_PTR id);

  private:
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);

    HWND window_ = nullptr;
    HANDLE wakeEvent_ = nullptr;
    std::function<bool(MSG&)> preTranslate_;
    TaskQueue queue_;
    std::map<UINT_PTR, std::function<void()>> timers_;
    UINT_PTR nextTimer_ = 1;
    std::optional<int> pendingQuit_;
};

class Win32Timer : public Timer {
  public:
    Win32Timer(Win32Dispatcher& dispatcher, UINT milliseconds, std::function<void()> handler)
        : dispatcher_(dispatcher), milliseconds_(milliseconds), handler_(std::move(handler)) {}
    ~Win32Timer() override { stop(); }
    void start() override;
    void stop() override;
    bool running() const override { return id_ != 0; }

  private:
    Win32Dispatcher& dispatcher_;
    UINT milliseconds_;
    std::function<void()> handler_;
    UINT_PTR id_ = 0;
};

} // namespace stowkeep::ui::win32
