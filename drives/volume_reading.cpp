#include "drives/volume_reading.h"

#include <array>
#include <cstring>

namespace stowkeep::drives {
namespace {

using platform::kDescriptorBusTypeField;
using platform::kDescriptorSizeField;
using platform::kDescriptorVendorIdOffsetField;
using platform::kPropertyQuerySize;

constexpr std::size_t kDescriptorBufferSize = 548;

using DescriptorBuffer = std::array<std::byte, kDescriptorBufferSize>;

std::uint32_t ReadU32(const DescriptorBuffer& buffer, std::size_t offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, buffer.data() + offset, sizeof value);
    return value;
}

bool IsExternalBus(std::uint32_t busType) {
    return busType == platform::kBusTypeUsb || busType == platform::kBusType1394;
}

std::optional<DescriptorBuffer> ReadDescriptor(platform::VolumeDevice& device) {
    const std::array<std::byte, kPropertyQuerySize> query{}; // device property, standard query
    DescriptorBuffer descriptor{};
    const auto size = static_cast<std::uint32_t>(kDescriptorBufferSize);
    std::memcpy(descriptor.data() + kDescriptorSizeField, &size, sizeof size);
    if (!device.Control(platform::kIoctlStorageQueryProperty, query, descriptor)) {
        return std::nullopt;
    }
    return descriptor;
}

// The NUL-terminated 8-bit text at the vendor offset; an offset outside the
// buffer or text without a NUL inside it reads only what the buffer holds.
std::string VendorBytes(const DescriptorBuffer& descriptor) {
    const std::uint32_t offset = ReadU32(descriptor, kDescriptorVendorIdOffsetField);
    std::string text;
    for (std::size_t i = offset; offset != 0 && i < descriptor.size(); ++i) {
        const auto c = static_cast<char>(descriptor[i]);
        if (c == '\0') {
            break;
        }
        text += c;
    }
    return text;
}

std::wstring FirstMountPath(const std::array<wchar_t, platform::kVolumeNameCapacity>& paths) {
    std::size_t end = 0;
    while (end < paths.size() && paths[end] != L'\0') {
        ++end;
    }
    return TrimBlanksAndControls(std::wstring_view(paths.data(), end));
}

} // namespace

std::wstring TrimBlanksAndControls(std::wstring_view text) {
    const auto kept = [](wchar_t c) { return c > L' ' && c != 0x7F; };
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && !kept(text[first])) {
        ++first;
    }
    while (last > first && !kept(text[last - 1])) {
        --last;
    }
    return std::wstring(text.substr(first, last - first));
}

std::optional<TRemovableDrive> ReadRemovableVolume(platform::VolumeSystem& system,
                                                   const ListVolumePathsFunction& listVolumePaths,
                                                   const std::wstring& volumeName) {
    std::wstring devicePath = volumeName;
    if (!devicePath.empty() && devicePath.back() == L'\\') {
        devicePath.pop_back();
    }
    const auto device = system.OpenVolume(devicePath, platform::VolumeAccess::QueryOnly);
    if (!device) {
        return std::nullopt;
    }
    const auto descriptor = ReadDescriptor(*device);
    if (!descriptor || !IsExternalBus(ReadU32(*descriptor, kDescriptorBusTypeField))) {
        return std::nullopt;
    }
    TRemovableDrive drive;
    std::array<wchar_t, platform::kVolumeNameCapacity> paths{};
    std::uint32_t length = 0;
    if (!listVolumePaths(volumeName, paths.data(), static_cast<std::uint32_t>(paths.size()),
                         &length)) {
        return drive;
    }
    drive.MountPath = FirstMountPath(paths);
    drive.VendorId = TrimBlanksAndControls(system.FromSystemCodePage(VendorBytes(*descriptor)));
    return drive;
}

} // namespace stowkeep::drives
