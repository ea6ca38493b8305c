#pragma once

#include "platform/volumes.h"

#include <atomic>
#include <map>
#include <mutex>
#include <optional>

// An in-memory machine's volumes with Windows semantics: GUID volume names,
// bus types and vendor identifications, drive letters, folder mount points
// on other volumes, and disk extents. Safe to use from several threads.
namespace stowkeep::platform {

struct FakeDiskExtent {
    std::uint32_t disk = 0;
    std::int64_t start = 0;
    std::int64_t length = 0;
};

struct FakeStorageVolume {
    std::wstring name; // \\?\Volume{GUID}\ with its trailing backslash
    std::uint8_t busType = kBusTypeUsb;
    std::optional<std::string> vendorId; // the descriptor's vendor field as stored; none: offset 0
    unsigned driveType = kDriveFixed;
    std::vector<FakeDiskExtent> extents;
    bool extentsFail = false;
    bool openFails = false;
    bool descriptorFails = false;
};

// A volume name \\?\Volume{GUID}\ whose GUID ends in the given number.
std::wstring FakeVolumeName(unsigned number);

class FakeVolumes final : public VolumeSystem {
  public:
    void AddVolume(FakeStorageVolume volume);
    // Takes the volume away together with its letters and the folders it is mounted in.
    void RemoveVolume(const std::wstring& name);
    void MountAtLetter(const std::wstring& volume, wchar_t letter);
    // Mounts a volume in a folder of host, given relative to host's root with a trailing backslash.
    void MountInFolder(const std::wstring& volume, const std::wstring& host,
                       const std::wstring& folder);
    // Whether the kernel library exports GetVolumePathNamesForVolumeNameW (it does by default).
    void SetSystemLister(bool exported);
    // An unelevated process is refused read/write opens of volumes.
    void SetElevated(bool elevated);
    // Runs on the enumerating thread at each FindNextVolume, so a test can act during a scan.
    void SetEnumerationProbe(std::function<void()> probe);

    int OpenHandles() const { return openHandles_.load(); }
    int VolumeEnumerations() const { return enumerations_.load(); }

    std::unique_ptr<NameEnumeration> FirstVolume(std::wstring& name) override;
    std::unique_ptr<NameEnumeration> FirstVolumeMountPoint(const std::wstring& volume,
                                                           std::wstring& mountPoint) override;
    std::unique_ptr<VolumeDevice> OpenVolume(const std::wstring& path,
                                             VolumeAccess access) override;
    VolumePathNamesFunction SystemVolumePathNames() override;
    std::vector<std::wstring> LogicalDriveStrings() override;
    bool VolumeNameForMountPoint(const std::wstring& mountPoint, std::wstring& volumeName) override;
    bool NamesEqualIgnoringCase(const std::wstring& a, const std::wstring& b) override;
    unsigned DriveType(const std::wstring& rootPath) override;
    std::wstring FromSystemCodePage(std::string_view text) override;

    // The handle counter that enumerations and devices keep up to date.
    std::atomic<int>& HandleCounter() { return openHandles_; }
    // Answers a control code sent to the named volume; false when it fails.
    bool Control(const std::wstring& volume, std::uint32_t code, std::span<const std::byte> input,
                 std::span<std::byte> output);

  private:
    struct MountPoint {
        std::wstring host;
        std::wstring folder;
        std::wstring target;
    };

    const FakeStorageVolume* Find(const std::wstring& name) const;
    const FakeStorageVolume* Resolve(const std::wstring& path) const;
    std::vector<std::wstring> PathsOf(const std::wstring& volume) const;
    bool ListPaths(const std::wstring& volume, wchar_t* buffer, std::uint32_t capacity,
                   std::uint32_t* length);

    mutable std::mutex mutex_;
    std::vector<FakeStorageVolume> volumes_;
    std::map<wchar_t, std::wstring> letters_;
    std::vector<MountPoint> mountPoints_;
    bool systemLister_ = true;
    bool elevated_ = true;
    std::function<void()> probe_;
    std::atomic<int> openHandles_{0};
    std::atomic<int> enumerations_{0};
};

} // namespace stowkeep::platform
