#pragma once

// The file system seam on the real Win32 calls.

#include "platform/files.h"
#include "platform/long_path_files.h"

namespace stowkeep::platform {

// The Win32 calls themselves, each path handed over as given.
class Win32FileCalls : public FileSystem {
  public:
    std::optional<std::vector<FolderEntry>> List(const std::wstring& folder) override;
    std::uint32_t Attributes(const std::wstring& path) override;
    bool SetAttributes(const std::wstring& path, std::uint32_t attributes) override;
    bool MakeFolder(const std::wstring& path) override;
    FileHandle Open(const std::wstring& path, Access access, unsigned share,
                    Disposition disposition, FileError* error = nullptr) override;
    bool Remove(const std::wstring& path) override;
    bool MoveReplacing(const std::wstring& from, const std::wstring& to,
                       FileError* error = nullptr) override;
    std::optional<std::uint64_t> FreeBytes(const std::wstring& root) override;
    std::optional<std::wstring> VolumeFileSystem(const std::wstring& root) override;
    DriveType DriveKind(const std::wstring& root) override;
    FileError FlushVolume(const std::wstring& root) override;
};

namespace detail {
// Made before the layer above it, which keeps a reference to it.
struct Win32FileCallsMember {
    Win32FileCalls calls;
};
} // namespace detail

// The program's file system: the Win32 calls for paths of any length.
class Win32FileSystem : private detail::Win32FileCallsMember, public LongPathFileSystem {
  public:
    Win32FileSystem() : LongPathFileSystem(calls) {}
};

} // namespace stowkeep::platform
