#include "drives/list_volume_paths.h"

#include <algorithm>

namespace stowkeep::drives {
namespace {

const std::wstring kDevicePrefix = L"\\\\.\\";

// Collects the mount paths of one volume, roots in the order listed and each
// root's folder mount points depth-first before the next root.
class PathWalk {
  public:
    PathWalk(platform::VolumeSystem& system, const std::wstring& wanted)
        : system_(system), wanted_(wanted) {}

    std::wstring Run() {
        for (const std::wstring& root : system_.LogicalDriveStrings()) {
            if (root.empty() || root[0] <= L'B') {
                continue; // floppy letters are never examined
            }
            const std::wstring prefixed = kDevicePrefix + root;
            std::wstring volume;
            if (!system_.VolumeNameForMountPoint(prefixed, volume)) {
                continue;
            }
            AppendIfWanted(volume, prefixed);
            WalkMountPoints(volume, prefixed);
        }
        result_ += L'\0';
        return result_;
    }

  private:
    void AppendIfWanted(const std::wstring& volume, const std::wstring& prefixedPath) {
        if (system_.NamesEqualIgnoringCase(volume, wanted_)) {
            result_ += prefixedPath.substr(kDevicePrefix.size());
            result_ += L'\0';
        }
    }

    void WalkMountPoints(const std::wstring& volume, const std::wstring& path) {
        // A volume mounted inside itself would lead the walk round for ever.
        if (std::find(ancestors_.begin(), ancestors_.end(), volume) != ancestors_.end()) {
            return;
        }
        std::wstring mountPoint;
        const auto enumeration = system_.FirstVolumeMountPoint(volume, mountPoint);
        if (!enumeration) {
            return;
        }
        ancestors_.push_back(volume);
        do {
            const std::wstring folder = path + mountPoint;
            std::wstring mounted;
            if (!system_.VolumeNameForMountPoint(folder, mounted)) {
                continue;
            }
            AppendIfWanted(mounted, folder);
            WalkMountPoints(mounted, folder);
        } while (enumeration->Next(mountPoint));
        ancestors_.pop_back();
    }

    platform::VolumeSystem& system_;
    const std::wstring& wanted_;
    std::wstring result_;
    std::vector<std::wstring> ancestors_;
};

} // namespace

bool WalkVolumePaths(platform::VolumeSystem& system, const std::wstring& volumeName,
                     wchar_t* buffer, std::uint32_t capacity, std::uint32_t* length) {
    const std::wstring result = PathWalk(system, volumeName).Run();
    const auto needed = static_cast<std::uint32_t>(result.size());
    if (buffer != nullptr && capacity >= needed) {
        std::copy(result.begin(), result.end(), buffer);
        if (length != nullptr) {
            *length = needed;
        }
        return true;
    }
    if (buffer == nullptr && capacity == 0) {
        if (length != nullptr) {
            *length = needed;
        }
        return true;
    }
    // A buffer of no capacity has no first character to clear.
    if (buffer != nullptr && capacity > 0) {
        buffer[0] = L'\0';
    }
    if (length != nullptr) {
        *length = 1;
    }
    return false;
}

ListVolumePathsFunction ChooseListVolumePaths(platform::VolumeSystem& system) {
    if (ListVolumePathsFunction systemFunction = system.SystemVolumePathNames()) {
        return systemFunction;
    }
    return [&system](const std::wstring& volumeName, wchar_t* buffer, std::uint32_t capacity,
                     std::uint32_t* length) {
        return WalkVolumePaths(system, volumeName, buffer, capacity, length);
    };
}

const ListVolumePathsFunction& BindListVolumePaths(platform::VolumeSystem& system) {
    static const ListVolumePathsFunction bound = ChooseListVolumePaths(system);
    return bound;
}

} // namespace stowkeep::drives
