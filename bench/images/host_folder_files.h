#pragma once

#include "platform/files.h"

#include <string>

namespace stowkeep::images {

// The host's own file system seen through the main program's seam, with one host folder
// playing the fixed drive E:. Only what File Create and the zero-fill worker call is
// carried out; the other operations answer failure.
class HostFolderFiles : public platform::FileSystem {
  public:
    explicit HostFolderFiles(std::string root) : root_(std::move(root)) {}

    std::optional<std::vector<platform::FolderEntry>> List(const std::wstring&) override {
        return std::nullopt;
    }
    std::uint32_t Attributes(const std::wstring& path) override;
    bool SetAttributes(const std::wstring&, std::uint32_t) override { return false; }
    bool MakeFolder(const std::wstring& path) override;
    platform::FileHandle Open(const std::wstring& path, platform::Access access, unsigned share,
                              platform::Disposition disposition,
                              platform::FileError* error = nullptr) override;
    bool Remove(const std::wstring& path) override;
    bool MoveReplacing(const std::wstring&, const std::wstring&, platform::FileError*) override {
        return false;
    }
    std::optional<std::uint64_t> FreeBytes(const std::wstring& root) override;
    std::optional<std::wstring> VolumeFileSystem(const std::wstring&) override { return L"NTFS"; }
    platform::DriveType DriveKind(const std::wstring& root) override;

  private:
    std::string HostPath(const std::wstring& path) const;

    std::string root_;
};

} // namespace stowkeep::images
