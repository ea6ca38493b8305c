#pragma once

#include "platform/forwarding_files.h"
#include "platform/long_path.h"

namespace stowkeep::platform {

// A file system that hands every file and folder path on in LongPathForm, so
// the calls beneath work at any length. Callers give and get the paths as
// they know them; the long form never leaves this layer. Volume roots go on
// as given: they are short, and the volume calls want a plain root.
class LongPathFileSystem : public ForwardingFileSystem {
  public:
    using ForwardingFileSystem::ForwardingFileSystem;

    std::optional<std::vector<FolderEntry>> List(const std::wstring& folder) override {
        return ForwardingFileSystem::List(LongPathForm(folder));
    }
    std::uint32_t Attributes(const std::wstring& path) override {
        return ForwardingFileSystem::Attributes(LongPathForm(path));
    }
    bool SetAttributes(const std::wstring& path, std::uint32_t attributes) override {
        return ForwardingFileSystem::SetAttributes(LongPathForm(path), attributes);
    }
    bool MakeFolder(const std::wstring& path) override {
        return ForwardingFileSystem::MakeFolder(LongPathForm(path));
    }
    FileHandle Open(const std::wstring& path, Access access, unsigned share,
                    Disposition disposition, FileError* error = nullptr) override {
        return ForwardingFileSystem::Open(LongPathForm(path), access, share, disposition, error);
    }
    bool Remove(const std::wstring& path) override {
        return ForwardingFileSystem::Remove(LongPathForm(path));
    }
    bool MoveReplacing(const std::wstring& from, const std::wstring& to,
                       FileError* error = nullptr) override {
        return ForwardingFileSystem::MoveReplacing(LongPathForm(from), LongPathForm(to), error);
    }
};

} // namespace stowkeep::platform
