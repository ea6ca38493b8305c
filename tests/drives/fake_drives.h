#pragma once

#include "platform/fake/volumes_fake.h"

#include <string>

namespace stowkeep::drives::testing {

// One volume of the fake machine, described the way the tests think of it.
struct VolumeSpec {
    unsigned number = 1;
    std::uint8_t bus = platform::kBusTypeUsb;
    std::optional<std::string> vendor = std::string("Generic ");
    wchar_t letter = 0; // 0: no drive letter
    unsigned driveType = platform::kDriveFixed;
    std::uint32_t disk = 1;
    std::int64_t start = 1048576;
    bool extentsFail = false;
    unsigned extentCount = 1; // further extents follow the first on the same disk
};

inline std::wstring AddVolume(platform::FakeVolumes& machine, const VolumeSpec& spec) {
    platform::FakeStorageVolume volume;
    volume.name = platform::FakeVolumeName(spec.number);
    volume.busType = spec.bus;
    volume.vendorId = spec.vendor;
    volume.driveType = spec.driveType;
    for (unsigned i = 0; i < spec.extentCount; ++i) {
        volume.extents.push_back({spec.disk, spec.start + i * (1LL << 30), 1LL << 30});
    }
    volume.extentsFail = spec.extentsFail;
    machine.AddVolume(volume);
    if (spec.letter != 0) {
        machine.MountAtLetter(volume.name, spec.letter);
    }
    return volume.name;
}

} // namespace stowkeep::drives::testing
