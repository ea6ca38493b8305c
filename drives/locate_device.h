#pragma once

#include "app/main_state.h"
#include "drives/device_view.h"
#include "drives/drive_ejector.h"
#include "platform/files.h"

namespace stowkeep::drives {

// Whether a vendor identification names the enclosure ("kd-rx710" or
// "varnok", ASCII letters compared in lower case).
bool IsEnclosureVendor(const std::wstring& vendorId);

// Finds the enclosure's disk in the drive list and publishes DeviceState,
// DeviceRoot, the two default folders and the button pictures. The outcome
// depends on the current list alone. Runs on the UI thread.
void LocateDevice(const TDriveEjector& drives, platform::VolumeSystem& volumes,
                  platform::FileSystem& files, MainState& state, DeviceView& view);

} // namespace stowkeep::drives
