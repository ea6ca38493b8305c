#include "drives/events_thread.h"

#include "drives/device_change_hook.h"
#include "drives/drive_ejector.h"

#include <chrono>

namespace stowkeep::drives {

void SleepSettleTime() {
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
}

TEventsThread::TEventsThread(TDriveEjector& drives, DeviceChangeHook& hook, SettleWait settle)
    : drives_(drives), hook_(hook), settle_(std::move(settle)) {
    hook_.Attach(*this);
    thread_ = std::thread([this] { Execute(); });
}

TEventsThread::~TEventsThread() {
    hook_.Detach(*this);
    {
        std::lock_guard lock(mutex_);
        terminated_.store(true);
    }
    resumed_.notify_one();
    thread_.join();
}

void TEventsThread::Wake() {
    {
        std::lock_guard lock(mutex_);
        woken_ = true;
    }
    resumed_.notify_one();
}

void TEventsThread::Execute() {
    while (!terminated_.load()) {
        if (hook_.PendingChanges() > 0 && !drives_.ScanInProgress()) {
            // Broadcasts during the settle are answered by the same scan:
            // the counter is cleared only after it.
            settle_();
            hook_.ClearPendingChanges();
            drives_.ScanVolumes();
        } else {
            Suspend();
        }
    }
}

void TEventsThread::Suspend() {
    std::unique_lock lock(mutex_);
    resumed_.wait(lock, [this] { return woken_ || terminated_.load(); });
    woken_ = false;
}

} // namespace stowkeep::drives
