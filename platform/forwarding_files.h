#pragma once

#include "platform/files.h"

namespace stowkeep::platform {

// A file system that hands every call to another one; a test double derives
// from it and overrides only the calls it changes.
class ForwardingFileSystem : public FileSystem {
  public:
    explicit ForwardingFileSystem(FileSystem& inner) : inner_(inner) {}

    std::optional<std::vector<FolderEntry>> List(const std::wstring& folder) override {
        return inner_.List(folder);
    }
    std::uint32_t Attributes(const std::wstring& path) override { return inner_.Attributes(path); }
    bool SetAttributes(const std::wstring& path, std::uint32_t attributes) override {
        return inner_.SetAttributes(path, attributes);
    }
    bool MakeFolder(const std::wstring& path) override { return inner_.MakeFolder(path); }
    FileHandle Open(const std::wstring& path, Access access, unsigned share,
                    Disposition disposition, FileError* error = nullptr) override {
        return inner_.Open(path, access, share, disposition, error);
    }
    bool Remove(const std::wstring& path) override { return inner_.Remove(path); }
    bool MoveReplacing(const std::wstring& from, const std::wstring& to,
                       FileError* error = nullptr) override {
        return inner_.MoveReplacing(from, to, error);
    }
    std::optional<std::uint64_t> FreeBytes(const std::wstring& root) override {
        return inner_.FreeBytes(root);
    }
    std::optional<std::wstring> VolumeFileSystem(const std::wstring& root) override {
        return inner_.VolumeFileSystem(root);
    }
    DriveType DriveKind(const std::wstring& root) override { return inner_.DriveKind(root); }
    FileError FlushVolume(const std::wstring& root) override { return inner_.FlushVolume(root); }

  private:
    FileSystem& inner_;
};

} // namespace stowkeep::platform
