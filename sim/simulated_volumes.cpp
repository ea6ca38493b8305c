#include "sim/simulated_volumes.h"

#include <cwctype>

namespace stowkeep::sim {

namespace {

constexpr unsigned kVolumeNumber = 0x710;
constexpr std::uint32_t kEnclosureDisk = 1;
constexpr std::int64_t kPartitionStart = 1 << 20;
constexpr std::int64_t kPartitionLength = std::int64_t{2000} * 1000 * 1000 * 1000;

// The system's names first, then the enclosure's.
class ChainedEnumeration final : public platform::NameEnumeration {
  public:
    ChainedEnumeration(std::unique_ptr<platform::NameEnumeration> first,
                       std::unique_ptr<platform::NameEnumeration> second, std::wstring secondName)
        : first_(std::move(first)), second_(std::move(second)), secondName_(std::move(secondName)) {
    }

    bool Next(std::wstring& name) override {
        if (first_ && first_->Next(name))
            return true;
        first_.reset();
        if (!secondName_.empty()) {
            name = std::move(secondName_);
            secondName_.clear();
            return true;
        }
        return second_ && second_->Next(name);
    }

  private:
    std::unique_ptr<platform::NameEnumeration> first_;
    std::unique_ptr<platform::NameEnumeration> second_;
    std::wstring secondName_;
};

wchar_t LetterOf(const std::wstring& path) {
    std::wstring_view rest = path;
    if (rest.starts_with(L"\\\\.\\") || rest.starts_with(L"\\\\?\\"))
        rest.remove_prefix(4);
    return rest.size() >= 2 && rest[1] == L':' ? static_cast<wchar_t>(std::towupper(rest[0])) : 0;
}

} // namespace

SimulatedVolumes::SimulatedVolumes(platform::VolumeSystem& system, StateSource state)
    : system_(system), state_(std::move(state)) {}

std::wstring SimulatedVolumes::EnclosureVolumeName() {
    return platform::FakeVolumeName(kVolumeNumber);
}

void SimulatedVolumes::Refresh() {
    const EnclosureState state = state_();
    std::lock_guard lock(mutex_);
    if (present_ && (!state.plugged || state.letter != letter_)) {
        enclosure_.RemoveVolume(EnclosureVolumeName());
        present_ = false;
    }
    if (state.plugged && !present_) {
        platform::FakeStorageVolume volume;
        volume.name = EnclosureVolumeName();
        volume.busType = platform::kBusTypeUsb;
        volume.vendorId = "KD-RX710";
        volume.extents = {{kEnclosureDisk, kPartitionStart, kPartitionLength}};
        enclosure_.AddVolume(volume);
        enclosure_.MountAtLetter(volume.name, state.letter);
        present_ = true;
        letter_ = state.letter;
    }
}

bool SimulatedVolumes::IsEnclosureVolume(const std::wstring& name) {
    const std::wstring ours = EnclosureVolumeName();
    std::wstring_view given = name;
    if (!given.empty() && given.back() != L'\\')
        return system_.NamesEqualIgnoringCase(name + L"\\", ours);
    return system_.NamesEqualIgnoringCase(name, ours);
}

bool SimulatedVolumes::IsEnclosureLetter(const std::wstring& path) {
    std::lock_guard lock(mutex_);
    return present_ && LetterOf(path) == letter_;
}

std::unique_ptr<platform::NameEnumeration> SimulatedVolumes::FirstVolume(std::wstring& name) {
    Refresh();
    std::wstring enclosureName;
    std::unique_ptr<platform::NameEnumeration> enclosure = enclosure_.FirstVolume(enclosureName);
    std::unique_ptr<platform::NameEnumeration> system = system_.FirstVolume(name);
    if (!system) {
        if (!enclosure)
            return nullptr;
        name = enclosureName;
        return enclosure;
    }
    return std::make_unique<ChainedEnumeration>(std::move(system), std::move(enclosure),
                                                std::move(enclosureName));
}

std::unique_ptr<platform::NameEnumeration>
SimulatedVolumes::FirstVolumeMountPoint(const std::wstring& volume, std::wstring& mountPoint) {
    if (IsEnclosureVolume(volume))
        return enclosure_.FirstVolumeMountPoint(volume, mountPoint);
    return system_.FirstVolumeMountPoint(volume, mountPoint);
}

std::unique_ptr<platform::VolumeDevice>
SimulatedVolumes::OpenVolume(const std::wstring& path, platform::VolumeAccess access) {
    Refresh();
    if (IsEnclosureVolume(path) || IsEnclosureLetter(path))
        return enclosure_.OpenVolume(path, access);
    return system_.OpenVolume(path, access);
}

platform::VolumePathNamesFunction SimulatedVolumes::SystemVolumePathNames() {
    platform::VolumePathNamesFunction system = system_.SystemVolumePathNames();
    if (!system)
        return {};
    platform::VolumePathNamesFunction enclosure = enclosure_.SystemVolumePathNames();
    return [this, system, enclosure](const std::wstring& volumeName, wchar_t* buffer,
                                     std::uint32_t capacity, std::uint32_t* length) {
        return IsEnclosureVolume(volumeName) ? enclosure(volumeName, buffer, capacity, length)
                                             : system(volumeName, buffer, capacity, length);
    };
}

std::vector<std::wstring> SimulatedVolumes::LogicalDriveStrings() {
    Refresh();
    std::vector<std::wstring> roots = system_.LogicalDriveStrings();
    std::lock_guard lock(mutex_);
    if (present_) {
        const std::wstring root{letter_, L':', L'\\'};
        bool listed = false;
        for (const std::wstring& r : roots)
            listed = listed || LetterOf(r) == letter_;
        if (!listed)
            roots.push_back(root);
    }
    return roots;
}

bool SimulatedVolumes::VolumeNameForMountPoint(const std::wstring& mountPoint,
                                               std::wstring& volumeName) {
    Refresh();
    if (IsEnclosureLetter(mountPoint))
        return enclosure_.VolumeNameForMountPoint(mountPoint, volumeName);
    return system_.VolumeNameForMountPoint(mountPoint, volumeName);
}

bool SimulatedVolumes::NamesEqualIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return system_.NamesEqualIgnoringCase(a, b);
}

unsigned SimulatedVolumes::DriveType(const std::wstring& rootPath) {
    if (IsEnclosureLetter(rootPath))
        return platform::kDriveFixed;
    return system_.DriveType(rootPath);
}

std::wstring SimulatedVolumes::FromSystemCodePage(std::string_view text) {
    return system_.FromSystemCodePage(text);
}

} // namespace stowkeep::sim
