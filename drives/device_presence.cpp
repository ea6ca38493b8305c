#include "drives/device_presence.h"

namespace stowkeep::drives {

DevicePresenceSeams ProcessDevicePresenceSeams(platform::VolumeSystem& volumes,
                                               platform::FileSystem& files) {
    return {volumes, files, BindListVolumePaths(volumes), DeviceChangeHook::Process(),
            SleepSettleTime};
}

TDevicePresence::TDevicePresence(DevicePresenceSeams seams, MainState& state, DeviceView& view,
                                 PostToUiThread post)
    : seams_(std::move(seams)), state_(state), view_(view), post_(std::move(post)),
      self_(std::make_shared<TDevicePresence*>(this)), weakSelf_(self_) {
    drives_ = std::make_unique<TDriveEjector>(seams_.volumes, seams_.listVolumePaths, seams_.hook,
                                              seams_.settle);
    drives_->SetOnListChanged(&TDevicePresence::ListChanged, this);
    LocateDevice();
}

TDevicePresence::~TDevicePresence() {
    drives_.reset();
    self_.reset();
}

void TDevicePresence::LocateDevice() {
    drives::LocateDevice(*drives_, seams_.volumes, seams_.files, state_, view_);
}

// Runs on the watcher thread at the end of each rescan.
void TDevicePresence::ListChanged(void* self) {
    auto* presence = static_cast<TDevicePresence*>(self);
    presence->post_([weak = presence->weakSelf_] {
        if (const auto alive = weak.lock()) {
            (*alive)->LocateDevice();
        }
    });
}

} // namespace stowkeep::drives
