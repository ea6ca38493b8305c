#pragma once

#include "drives/device_change_hook.h"
#include "drives/locate_device.h"

#include <functional>
#include <memory>

namespace stowkeep::drives {

// Hands work to the UI thread, in the order given (the toolkit's dispatcher).
using PostToUiThread = std::function<void(std::function<void()>)>;

struct DevicePresenceSeams {
    platform::VolumeSystem& volumes;
    platform::FileSystem& files;
    ListVolumePathsFunction listVolumePaths;
    DeviceChangeHook& hook;
    SettleWait settle = SleepSettleTime;
};

// The seams of the running program: the process's ListVolumePaths binding
// and device-change hook, and the 500 ms settle. volumes must live as long as
// the process.
DevicePresenceSeams ProcessDevicePresenceSeams(platform::VolumeSystem& volumes,
                                               platform::FileSystem& files);

// The drive list together with the main window's answer to it: creates the
// list, points OnListChanged at LocateDevice on the UI thread and locates the
// device once. Every rebuild of the list leads to one LocateDevice on the UI
// thread, in the order of the rebuilds. Create and destroy on the UI thread.
class TDevicePresence {
  public:
    TDevicePresence(DevicePresenceSeams seams, MainState& state, DeviceView& view,
                    PostToUiThread post);
    // Frees the drive list (stopping its watcher); work already posted then does nothing.
    ~TDevicePresence();
    TDevicePresence(const TDevicePresence&) = delete;
    TDevicePresence& operator=(const TDevicePresence&) = delete;

    void LocateDevice();
    const TDriveEjector& Drives() const { return *drives_; }

  private:
    static void ListChanged(void* self);

    DevicePresenceSeams seams_;
    MainState& state_;
    DeviceView& view_;
    PostToUiThread post_;
    std::shared_ptr<TDevicePresence*> self_;
    std::weak_ptr<TDevicePresence*> weakSelf_;
    std::unique_ptr<TDriveEjector> drives_;
};

} // namespace stowkeep::drives
