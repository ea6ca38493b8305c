#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace stowkeep::drives {

class DeviceChangeHook;
class TDriveEjector;

// The wait between the first broadcast of a burst and the rescan.
using SettleWait = std::function<void()>;
void SleepSettleTime(); // 500 ms

// The watcher thread: sleeps until a broadcast wakes it, lets things settle,
// then rebuilds the drive list. Uses no processor while idle.
class TEventsThread {
  public:
    // Becomes the hook's current watcher and starts running at once.
    TEventsThread(TDriveEjector& drives, DeviceChangeHook& hook, SettleWait settle);
    // Stops: a settle or scan under way runs to its end, notification included.
    ~TEventsThread();
    TEventsThread(const TEventsThread&) = delete;
    TEventsThread& operator=(const TEventsThread&) = delete;

    // Resumes the thread if it is suspended; a wake that comes before the
    // thread suspends itself is kept, so none is lost.
    void Wake();

  private:
    void Execute();
    void Suspend();

    TDriveEjector& drives_;
    DeviceChangeHook& hook_;
    SettleWait settle_;
    std::mutex mutex_;
    std::condition_variable resumed_;
    bool woken_ = false;
    std::atomic<bool> terminated_{false};
    std::thread thread_;
};

} // namespace stowkeep::drives
