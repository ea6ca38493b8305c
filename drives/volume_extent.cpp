#include "drives/volume_extent.h"

#include <array>
#include <cstring>

namespace stowkeep::drives {
namespace {

using platform::kExtentLengthField;
using platform::kExtentStartingOffsetField;
using platform::kFirstDiskExtent;

constexpr std::size_t kExtentsBufferSize = 260;

template <typename T>
T Read(const std::array<std::byte, kExtentsBufferSize>& bytes, std::size_t at) {
    T value{};
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

} // namespace

VolumeExtent QueryVolumeExtent(platform::VolumeSystem& system, wchar_t letter) {
    VolumeExtent extent;
    const std::wstring path = L"\\\\.\\" + std::wstring(1, letter) + L":";
    const auto device = system.OpenVolume(path, platform::VolumeAccess::ReadWrite);
    if (!device) {
        return extent;
    }
    std::array<std::byte, kExtentsBufferSize> answer{};
    if (!device->Control(platform::kIoctlVolumeGetVolumeDiskExtents, {}, answer) ||
        Read<std::uint32_t>(answer, 0) == 0) {
        return extent;
    }
    extent.DiskNumber = Read<std::uint32_t>(answer, kFirstDiskExtent);
    extent.StartingOffset =
        Read<std::int64_t>(answer, kFirstDiskExtent + kExtentStartingOffsetField);
    extent.ExtentLength = Read<std::int64_t>(answer, kFirstDiskExtent + kExtentLengthField);
    return extent;
}

} // namespace stowkeep::drives
