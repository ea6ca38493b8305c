#pragma once

// The file seam on POSIX calls, for measuring the copy engine on the host's
// real file system. Drive letter X: stands for one host folder; backslashes
// become slashes. Share modes and attributes other than the folder bit are
// not modelled. Files are buffered as on the Win32 side (BufferedFile).

#include "platform/files.h"

#include <string>

namespace stowkeep::bench {

class PosixFileSystem : public platform::FileSystem {
  public:
    // drive: the folder that "X:\" stands for. Without flushes, Flush does
    // nothing, to tell the cost of copying from the cost of reaching the disk.
    PosixFileSystem(std::string drive, bool flushes)
        : drive_(std::move(drive)), flushes_(flushes) {}

    std::optional<std::vector<platform::FolderEntry>> List(const std::wstring& folder) override;
    std::uint32_t Attributes(const std::wstring& path) override;
    bool SetAttributes(const std::wstring& path, std::uint32_t attributes) override;
    bool MakeFolder(const std::wstring& path) override;
    platform::FileHandle Open(const std::wstring& path, platform::Access access, unsigned share,
                              platform::Disposition disposition,
                              platform::FileError* error = nullptr) override;
    bool Remove(const std::wstring& path) override;
    bool MoveReplacing(const std::wstring& from, const std::wstring& to,
                       platform::FileError* error = nullptr) override;
    std::optional<std::uint64_t> FreeBytes(const std::wstring& root) override;
    std::optional<std::wstring> VolumeFileSystem(const std::wstring& root) override;
    platform::DriveType DriveKind(const std::wstring& root) override;

    std::string HostPath(const std::wstring& path) const;

  private:
    std::string drive_;
    bool flushes_;
};

} // namespace stowkeep::bench
