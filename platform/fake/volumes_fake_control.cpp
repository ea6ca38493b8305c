#include "platform/fake/volumes_fake.h"

#include <algorithm>
#include <cstring>

// The control codes that the fake machine's volume devices answer, laid out
// as the system's STORAGE_DEVICE_DESCRIPTOR and VOLUME_DISK_EXTENTS.
namespace stowkeep::platform {
namespace {

// The fixed parts' sizes; the offsets read from them are the program's own.
constexpr std::size_t kDescriptorFixedSize = 40;
constexpr std::size_t kExtentSize = 24;

template <typename T> void Put(std::vector<std::byte>& bytes, std::size_t offset, T value) {
    std::memcpy(bytes.data() + offset, &value, sizeof value);
}

template <typename T> T Get(std::span<const std::byte> bytes, std::size_t offset) {
    T value{};
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

std::vector<std::byte> Descriptor(const FakeStorageVolume& volume) {
    std::vector<std::byte> bytes(kDescriptorFixedSize);
    if (volume.vendorId) {
        Put<std::uint32_t>(bytes, kDescriptorVendorIdOffsetField, kDescriptorFixedSize);
        for (char c : *volume.vendorId) {
            bytes.push_back(static_cast<std::byte>(c));
        }
        bytes.push_back(std::byte{0});
    }
    Put<std::uint32_t>(bytes, 0, kDescriptorFixedSize);
    Put<std::uint32_t>(bytes, kDescriptorSizeField, static_cast<std::uint32_t>(bytes.size()));
    Put<std::uint32_t>(bytes, kDescriptorBusTypeField, volume.busType);
    return bytes;
}

std::vector<std::byte> Extents(const FakeStorageVolume& volume) {
    std::vector<std::byte> bytes(kFirstDiskExtent + kExtentSize * volume.extents.size());
    Put<std::uint32_t>(bytes, 0, static_cast<std::uint32_t>(volume.extents.size()));
    std::size_t offset = kFirstDiskExtent;
    for (const FakeDiskExtent& extent : volume.extents) {
        Put<std::uint32_t>(bytes, offset, extent.disk);
        Put<std::int64_t>(bytes, offset + kExtentStartingOffsetField, extent.start);
        Put<std::int64_t>(bytes, offset + kExtentLengthField, extent.length);
        offset += kExtentSize;
    }
    return bytes;
}

bool IsStandardDeviceQuery(std::span<const std::byte> input) {
    return input.size() >= kPropertyQuerySize && Get<std::uint32_t>(input, 0) == 0 &&
           Get<std::uint32_t>(input, 4) == 0;
}

} // namespace

bool FakeVolumes::Control(const std::wstring& volume, std::uint32_t code,
                          std::span<const std::byte> input, std::span<std::byte> output) {
    std::lock_guard lock(mutex_);
    const FakeStorageVolume* found = Find(volume);
    if (found == nullptr) {
        return false;
    }
    if (code == kIoctlStorageQueryProperty) {
        if (found->descriptorFails || !IsStandardDeviceQuery(input) || output.size() < 8) {
            return false;
        }
        // Like the system, a short buffer receives the start of the descriptor.
        const std::vector<std::byte> bytes = Descriptor(*found);
        std::copy_n(bytes.begin(), std::min(bytes.size(), output.size()), output.begin());
        return true;
    }
    if (code == kIoctlVolumeGetVolumeDiskExtents) {
        const std::vector<std::byte> bytes = Extents(*found);
        if (found->extentsFail || output.size() < bytes.size()) {
            return false;
        }
        std::copy(bytes.begin(), bytes.end(), output.begin());
        return true;
    }
    return false;
}

} // namespace stowkeep::platform
