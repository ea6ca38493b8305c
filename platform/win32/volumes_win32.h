#pragma once

// The volume seam on the real Win32 calls.

#include "platform/volumes.h"

namespace stowkeep::platform {

class Win32Volumes final : public VolumeSystem {
  public:
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
};

} // namespace stowkeep::platform
