#pragma once

#include "platform/volumes.h"

namespace stowkeep::drives {

// The first DISK_EXTENT of a volume; all zero when it cannot be read.
struct VolumeExtent {
    std::uint32_t DiskNumber = 0;
    std::int64_t StartingOffset = 0;
    std::int64_t ExtentLength = 0;
};

// Opens \\.\<letter>: for reading and writing and asks for its disk extents.
VolumeExtent QueryVolumeExtent(platform::VolumeSystem& system, wchar_t letter);

} // namespace stowkeep::drives
