#include "posix_files.h"

#include "platform/buffered_file.h"

#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace stowkeep::bench {
namespace {

using platform::FileError;

FileError FromErrno(int code) {
    switch (code) {
    case ENOENT:
    case ENOTDIR:
        return FileError::not_found;
    case EACCES:
    case EPERM:
    case EISDIR:
        return FileError::access_denied;
    case EEXIST:
        return FileError::already_exists;
    case ENOSPC:
        return FileError::disk_full;
    default:
        return FileError::io_error;
    }
}

class PosixFile final : public platform::File {
  public:
    PosixFile(int fd, bool flushes) : fd_(fd), flushes_(flushes) {}
    ~PosixFile() override { close(fd_); }

    std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
        const ssize_t got = read(fd_, buffer, count);
        if (got < 0) {
            return Fail<std::optional<std::size_t>>(std::nullopt);
        }
        return static_cast<std::size_t>(got);
    }
    bool Write(const void* data, std::size_t count) override {
        const auto* bytes = static_cast<const char*>(data);
        while (count > 0) {
            const ssize_t written = write(fd_, bytes, count);
            if (written <= 0) {
                return Fail(false);
            }
            bytes += written;
            count -= static_cast<std::size_t>(written);
        }
        return true;
    }
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t count) override {
        return lseek(fd_, static_cast<off_t>(offset), SEEK_SET) >= 0 && Write(data, count);
    }
    bool Flush() override { return !flushes_ || fdatasync(fd_) == 0 || Fail(false); }
    std::optional<std::uint64_t> Size() override {
        struct stat info {};
        if (fstat(fd_, &info) != 0) {
            return Fail<std::optional<std::uint64_t>>(std::nullopt);
        }
        return static_cast<std::uint64_t>(info.st_size);
    }
    bool SetLength(std::uint64_t length) override {
        return (ftruncate(fd_, static_cast<off_t>(length)) == 0 &&
                lseek(fd_, static_cast<off_t>(length), SEEK_SET) >= 0) ||
               Fail(false);
    }
    FileError LastError() const override { return lastError_; }

  private:
    template <typename T> T Fail(T result) {
        lastError_ = FromErrno(errno);
        return result;
    }

    int fd_;
    bool flushes_;
    FileError lastError_ = FileError::none;
};

} // namespace

std::string PosixFileSystem::HostPath(const std::wstring& path) const {
    std::string host = drive_;
    for (std::size_t i = 2; i < path.size(); ++i) {
        const wchar_t c = path[i];
        if (c == L'\\') {
            if (host.empty() || host.back() != '/') {
                host += '/';
            }
        } else {
            host += static_cast<char>(c);
        }
    }
    return host;
}

std::optional<std::vector<platform::FolderEntry>>
PosixFileSystem::List(const std::wstring& folder) {
    const std::string host = HostPath(folder);
    DIR* dir = opendir(host.c_str());
    if (!dir) {
        return std::nullopt;
    }
    std::vector<platform::FolderEntry> entries;
    while (const dirent* item = readdir(dir)) {
        const std::string name = item->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        struct stat info {};
        lstat((host + "/" + name).c_str(), &info);
        platform::FolderEntry entry;
        entry.name.assign(name.begin(), name.end());
        entry.attributes = S_ISDIR(info.st_mode)   ? platform::kAttrDirectory
                           : S_ISLNK(info.st_mode) ? platform::kAttrReparsePoint
                                                   : platform::kAttrArchive;
        entry.size = static_cast<std::uint64_t>(info.st_size);
        entries.push_back(std::move(entry));
    }
    closedir(dir);
    return entries;
}

std::uint32_t PosixFileSystem::Attributes(const std::wstring& path) {
    struct stat info {};
    if (stat(HostPath(path).c_str(), &info) != 0) {
        return platform::kNoAttributes;
    }
    return S_ISDIR(info.st_mode) ? platform::kAttrDirectory : platform::kAttrArchive;
}

bool PosixFileSystem::SetAttributes(const std::wstring&, std::uint32_t) {
    return true;
}

bool PosixFileSystem::MakeFolder(const std::wstring& path) {
    return mkdir(HostPath(path).c_str(), 0755) == 0;
}

platform::FileHandle PosixFileSystem::Open(const std::wstring& path, platform::Access access,
                                           unsigned, platform::Disposition disposition,
                                           FileError* error) {
    int flags = access == platform::Access::read    ? O_RDONLY
                : access == platform::Access::write ? O_WRONLY
                                                    : O_RDWR;
    if (disposition == platform::Disposition::create_always) {
        flags |= O_CREAT | O_TRUNC;
    } else if (disposition == platform::Disposition::create_new) {
        flags |= O_CREAT | O_EXCL;
    }
    const int fd = open(HostPath(path).c_str(), flags | O_CLOEXEC, 0644);
    if (error) {
        *error = fd < 0 ? FromErrno(errno) : FileError::none;
    }
    if (fd < 0) {
        return nullptr;
    }
    // Large reads and writes beneath the engine's blocks, as on the Win32 side.
    return std::make_unique<platform::BufferedFile>(std::make_unique<PosixFile>(fd, flushes_),
                                                    access);
}

bool PosixFileSystem::Remove(const std::wstring& path) {
    return unlink(HostPath(path).c_str()) == 0;
}

bool PosixFileSystem::MoveReplacing(const std::wstring& from, const std::wstring& to,
                                    FileError* error) {
    const bool ok = std::rename(HostPath(from).c_str(), HostPath(to).c_str()) == 0;
    if (error) {
        *error = ok ? FileError::none : FromErrno(errno);
    }
    return ok;
}

std::optional<std::uint64_t> PosixFileSystem::FreeBytes(const std::wstring&) {
    struct statvfs info {};
    if (statvfs(drive_.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.f_bfree) * info.f_frsize;
}

std::optional<std::wstring> PosixFileSystem::VolumeFileSystem(const std::wstring&) {
    return L"NTFS";
}

platform::DriveType PosixFileSystem::DriveKind(const std::wstring&) {
    return platform::DriveType::fixed;
}

} // namespace stowkeep::bench
