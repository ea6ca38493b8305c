#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>

namespace stowkeep::drives {

// WM_DEVICECHANGE events and broadcast device types that the hook looks at.
inline constexpr std::uintptr_t kDbtDeviceArrival = 0x8000;
inline constexpr std::uintptr_t kDbtDeviceRemoveComplete = 0x8004;
inline constexpr std::uint32_t kDbtDevtypVolume = 2;

class TEventsThread;

// The device-change hook: counts the broadcasts that can change the drive
// list and wakes the current watcher thread. The application window's
// procedure hands it every WM_DEVICECHANGE after its own handling.
class DeviceChangeHook {
  public:
    DeviceChangeHook() = default;
    DeviceChangeHook(const DeviceChangeHook&) = delete;
    DeviceChangeHook& operator=(const DeviceChangeHook&) = delete;

    // The one hook of the process.
    static DeviceChangeHook& Process();

    // A volume's arrival or any completed removal counts; deviceType is the
    // broadcast header's device type (0 when the broadcast has no header).
    void OnDeviceChange(std::uintptr_t event, std::uint32_t deviceType);

    // PendingChanges: qualifying broadcasts not yet answered by a scan.
    std::int32_t PendingChanges() const { return pending_.load(); }
    void ClearPendingChanges() { pending_.store(0); }

    // The watcher that broadcasts wake. Once detached, a watcher is never touched again.
    void Attach(TEventsThread& watcher);
    void Detach(TEventsThread& watcher);

  private:
    std::atomic<std::int32_t> pending_{0};
    std::mutex watcherMutex_;
    TEventsThread* watcher_ = nullptr;
};

} // namespace stowkeep::drives
