#include "drives/device_change_hook.h"

#include "drives/events_thread.h"

namespace stowkeep::drives {

DeviceChangeHook& DeviceChangeHook::Process() {
    static DeviceChangeHook hook;
    return hook;
}

void DeviceChangeHook::OnDeviceChange(std::uintptr_t event, std::uint32_t deviceType) {
    const bool volumeArrived = event == kDbtDeviceArrival && deviceType == kDbtDevtypVolume;
    if (!volumeArrived && event != kDbtDeviceRemoveComplete) {
        return;
    }
    ++pending_;
    std::lock_guard lock(watcherMutex_);
    if (watcher_ != nullptr) {
        watcher_->Wake();
    }
}

void DeviceChangeHook::Attach(TEventsThread& watcher) {
    std::lock_guard lock(watcherMutex_);
    watcher_ = &watcher;
}

void DeviceChangeHook::Detach(TEventsThread& watcher) {
    std::lock_guard lock(watcherMutex_);
    if (watcher_ == &watcher) {
        watcher_ = nullptr;
    }
}

} // namespace stowkeep::drives
