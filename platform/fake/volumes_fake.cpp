#include "platform/fake/volumes_fake.h"

#include <algorithm>
#include <cwctype>

namespace stowkeep::platform {
namespace {

bool SameText(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return std::towlower(x) == std::towlower(y); });
}

bool StartsWithText(std::wstring_view text, std::wstring_view prefix) {
    return text.size() >= prefix.size() && SameText(text.substr(0, prefix.size()), prefix);
}

std::wstring WithBackslash(std::wstring text) {
    if (text.empty() || text.back() != L'\\') {
        text += L'\\';
    }
    return text;
}

// A snapshot of names handed out one by one; counts as one open handle.
class ListEnumeration final : public NameEnumeration {
  public:
    ListEnumeration(std::vector<std::wstring> names, std::atomic<int>& handles,
                    std::function<void()> probe)
        : names_(std::move(names)), handles_(handles), probe_(std::move(probe)) {
        ++handles_;
    }
    ~ListEnumeration() override { --handles_; }
    ListEnumeration(const ListEnumeration&) = delete;
    ListEnumeration& operator=(const ListEnumeration&) = delete;

    bool Next(std::wstring& name) override {
        if (probe_) {
            probe_();
        }
        if (next_ >= names_.size()) {
            return false;
        }
        name = names_[next_++];
        return true;
    }

  private:
    std::vector<std::wstring> names_;
    std::size_t next_ = 1; // the first name went out with the find-first call
    std::atomic<int>& handles_;
    std::function<void()> probe_;
};

class FakeDevice final : public VolumeDevice {
  public:
    FakeDevice(FakeVolumes& machine, std::wstring volume)
        : machine_(machine), volume_(std::move(volume)) {
        ++machine_.HandleCounter();
    }
    ~FakeDevice() override { --machine_.HandleCounter(); }
    FakeDevice(const FakeDevice&) = delete;
    FakeDevice& operator=(const FakeDevice&) = delete;

    bool Control(std::uint32_t code, std::span<const std::byte> input,
                 std::span<std::byte> output) override {
        return machine_.Control(volume_, code, input, output);
    }

  private:
    FakeVolumes& machine_;
    std::wstring volume_;
};

} // namespace

std::wstring FakeVolumeName(unsigned number) {
    std::wstring digits = std::to_wstring(number);
    digits.insert(0, 12 - std::min<std::size_t>(12, digits.size()), L'0');
    return L"\\\\?\\Volume{6b1f2c3d-0a4e-11ef-9a7b-" + digits + L"}\\";
}

void FakeVolumes::AddVolume(FakeStorageVolume volume) {
    std::lock_guard lock(mutex_);
    volume.name = WithBackslash(std::move(volume.name));
    volumes_.push_back(std::move(volume));
}

void FakeVolumes::RemoveVolume(const std::wstring& name) {
    std::lock_guard lock(mutex_);
    std::erase_if(volumes_, [&](const FakeStorageVolume& v) { return SameText(v.name, name); });
    std::erase_if(letters_, [&](const auto& entry) { return SameText(entry.second, name); });
    std::erase_if(mountPoints_, [&](const MountPoint& m) { return SameText(m.target, name); });
}

void FakeVolumes::MountAtLetter(const std::wstring& volume, wchar_t letter) {
    std::lock_guard lock(mutex_);
    letters_[static_cast<wchar_t>(std::towupper(letter))] = volume;
}

void FakeVolumes::MountInFolder(const std::wstring& volume, const std::wstring& host,
                                const std::wstring& folder) {
    std::lock_guard lock(mutex_);
    mountPoints_.push_back({host, WithBackslash(folder), volume});
}

void FakeVolumes::SetSystemLister(bool exported) {
    std::lock_guard lock(mutex_);
    systemLister_ = exported;
}

void FakeVolumes::SetElevated(bool elevated) {
    std::lock_guard lock(mutex_);
    elevated_ = elevated;
}

void FakeVolumes::SetEnumerationProbe(std::function<void()> probe) {
    std::lock_guard lock(mutex_);
    probe_ = std::move(probe);
}

const FakeStorageVolume* FakeVolumes::Find(const std::wstring& name) const {
    auto found = std::find_if(volumes_.begin(), volumes_.end(),
                              [&](const FakeStorageVolume& v) { return SameText(v.name, name); });
    return found == volumes_.end() ? nullptr : &*found;
}

// Follows a path (\\.\ or \\?\ prefixed or plain, letter first) through drive
// letters and folder mount points to the volume mounted there.
const FakeStorageVolume* FakeVolumes::Resolve(const std::wstring& path) const {
    if (StartsWithText(path, L"\\\\?\\Volume{")) {
        return Find(WithBackslash(path));
    }
    std::wstring_view rest = path;
    if (StartsWithText(rest, L"\\\\.\\") || StartsWithText(rest, L"\\\\?\\")) {
        rest.remove_prefix(4);
    }
    if (rest.size() < 2 || rest[1] != L':') {
        return nullptr;
    }
    auto letter = letters_.find(static_cast<wchar_t>(std::towupper(rest[0])));
    if (letter == letters_.end()) {
        return nullptr;
    }
    const FakeStorageVolume* volume = Find(letter->second);
    rest.remove_prefix(2);
    if (!rest.empty() && rest.front() == L'\\') {
        rest.remove_prefix(1);
    }
    while (volume != nullptr && !rest.empty()) {
        auto mount =
            std::find_if(mountPoints_.begin(), mountPoints_.end(), [&](const MountPoint& m) {
                return SameText(m.host, volume->name) && StartsWithText(rest, m.folder);
            });
        if (mount == mountPoints_.end()) {
            return nullptr;
        }
        rest.remove_prefix(mount->folder.size());
        volume = Find(mount->target);
    }
    return volume;
}

std::vector<std::wstring> FakeVolumes::PathsOf(const std::wstring& volume) const {
    std::vector<std::wstring> paths;
    for (const auto& [letter, name] : letters_) {
        if (SameText(name, volume)) {
            paths.push_back(std::wstring{letter} + L":\\");
        }
    }
    for (const MountPoint& mount : mountPoints_) {
        if (SameText(mount.target, volume)) {
            for (const std::wstring& hostPath : PathsOf(mount.host)) {
                paths.push_back(hostPath + mount.folder);
            }
        }
    }
    return paths;
}

std::unique_ptr<NameEnumeration> FakeVolumes::FirstVolume(std::wstring& name) {
    std::lock_guard lock(mutex_);
    ++enumerations_;
    if (volumes_.empty()) {
        return nullptr;
    }
    std::vector<std::wstring> names;
    for (const FakeStorageVolume& volume : volumes_) {
        names.push_back(volume.name);
    }
    name = names.front();
    return std::make_unique<ListEnumeration>(std::move(names), openHandles_, probe_);
}

std::unique_ptr<NameEnumeration> FakeVolumes::FirstVolumeMountPoint(const std::wstring& volume,
                                                                    std::wstring& mountPoint) {
    std::lock_guard lock(mutex_);
    std::vector<std::wstring> folders;
    for (const MountPoint& mount : mountPoints_) {
        if (SameText(mount.host, volume)) {
            folders.push_back(mount.folder);
        }
    }
    if (folders.empty() || volume.empty() || volume.back() != L'\\') {
        return nullptr;
    }
    mountPoint = folders.front();
    return std::make_unique<ListEnumeration>(std::move(folders), openHandles_, nullptr);
}

std::unique_ptr<VolumeDevice> FakeVolumes::OpenVolume(const std::wstring& path,
                                                      VolumeAccess access) {
    std::lock_guard lock(mutex_);
    // A trailing backslash names the root folder, not the volume device.
    if (path.empty() || path.back() == L'\\' || (access == VolumeAccess::ReadWrite && !elevated_)) {
        return nullptr;
    }
    const FakeStorageVolume* volume = Resolve(path);
    if (volume == nullptr || volume->openFails) {
        return nullptr;
    }
    return std::make_unique<FakeDevice>(*this, volume->name);
}

bool FakeVolumes::ListPaths(const std::wstring& volume, wchar_t* buffer, std::uint32_t capacity,
                            std::uint32_t* length) {
    std::lock_guard lock(mutex_);
    if (volume.empty() || volume.back() != L'\\' || Find(volume) == nullptr) {
        return false;
    }
    std::wstring list;
    for (const std::wstring& path : PathsOf(volume)) {
        list += path;
        list += L'\0';
    }
    list += L'\0';
    const auto needed = static_cast<std::uint32_t>(list.size());
    if (length != nullptr) {
        *length = needed;
    }
    if (buffer == nullptr || capacity < needed) {
        return false;
    }
    std::copy(list.begin(), list.end(), buffer);
    return true;
}

VolumePathNamesFunction FakeVolumes::SystemVolumePathNames() {
    std::lock_guard lock(mutex_);
    if (!systemLister_) {
        return {};
    }
    return [this](const std::wstring& volume, wchar_t* buffer, std::uint32_t capacity,
                  std::uint32_t* length) { return ListPaths(volume, buffer, capacity, length); };
}

std::vector<std::wstring> FakeVolumes::LogicalDriveStrings() {
    std::lock_guard lock(mutex_);
    std::vector<std::wstring> roots;
    for (const auto& entry : letters_) {
        roots.push_back(std::wstring{entry.first} + L":\\");
    }
    return roots;
}

bool FakeVolumes::VolumeNameForMountPoint(const std::wstring& mountPoint,
                                          std::wstring& volumeName) {
    std::lock_guard lock(mutex_);
    if (mountPoint.empty() || mountPoint.back() != L'\\') {
        return false;
    }
    const FakeStorageVolume* volume = Resolve(mountPoint);
    if (volume == nullptr) {
        return false;
    }
    volumeName = volume->name;
    return true;
}

bool FakeVolumes::NamesEqualIgnoringCase(const std::wstring& a, const std::wstring& b) {
    return SameText(a, b);
}

unsigned FakeVolumes::DriveType(const std::wstring& rootPath) {
    std::lock_guard lock(mutex_);
    const FakeStorageVolume* volume = Resolve(rootPath);
    return volume == nullptr ? kDriveNoRootDir : volume->driveType;
}

std::wstring FakeVolumes::FromSystemCodePage(std::string_view text) {
    // The fake machine's code page is Latin-1.
    std::wstring wide;
    for (char c : text) {
        wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    }
    return wide;
}

} // namespace stowkeep::platform
