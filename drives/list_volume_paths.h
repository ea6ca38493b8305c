#pragma once

#include "platform/volumes.h"

namespace stowkeep::drives {

// Lists a volume's mount paths with the contract of
// GetVolumePathNamesForVolumeNameW: each path followed by a NUL, and a final
// NUL after the last one.
using ListVolumePathsFunction = platform::VolumePathNamesFunction;

// The built-in walk over drive roots and folder mount points, for systems
// whose kernel library lacks GetVolumePathNamesForVolumeNameW.
bool WalkVolumePaths(platform::VolumeSystem& system, const std::wstring& volumeName,
                     wchar_t* buffer, std::uint32_t capacity, std::uint32_t* length);

// The system's function when the kernel library exports it, else the walk.
ListVolumePathsFunction ChooseListVolumePaths(platform::VolumeSystem& system);

// The process's ListVolumePaths: chosen on the first call, with that call's
// system, and never changed afterwards. The system must live as long as the process.
const ListVolumePathsFunction& BindListVolumePaths(platform::VolumeSystem& system);

} // namespace stowkeep::drives
