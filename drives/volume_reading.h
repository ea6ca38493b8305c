#pragma once

#include "drives/list_volume_paths.h"
#include "drives/removable_drive.h"

#include <optional>

namespace stowkeep::drives {

// Text without blanks and control characters at either end.
std::wstring TrimBlanksAndControls(std::wstring_view text);

// The entry that a volume contributes to the drive list: nothing when the
// volume cannot be opened, its storage descriptor cannot be read, or its bus
// is neither USB nor IEEE 1394. volumeName carries its trailing backslash.
std::optional<TRemovableDrive> ReadRemovableVolume(platform::VolumeSystem& system,
                                                   const ListVolumePathsFunction& listVolumePaths,
                                                   const std::wstring& volumeName);

} // namespace stowkeep::drives
