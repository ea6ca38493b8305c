#include "host_folder_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace stowkeep::images {
namespace {

class HostFile : public platform::File {
  public:
    explicit HostFile(int fd) : fd_(fd) {}
    ~HostFile() override { close(fd_); }

    std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
        const ssize_t got = read(fd_, buffer, count);
        return got < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(got));
    }
    bool Write(const void* data, std::size_t count) override {
        return write(fd_, data, count) == static_cast<ssize_t>(count);
    }
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t count) override {
        return pwrite(fd_, data, count, static_cast<off_t>(offset)) == static_cast<ssize_t>(count);
    }
    bool Flush() override { return fsync(fd_) == 0; }
    std::optional<std::uint64_t> Size() override {
        struct stat info {};
        return fstat(fd_, &info) == 0 ? std::optional<std::uint64_t>(info.st_size) : std::nullopt;
    }
    bool SetLength(std::uint64_t length) override {
        return ftruncate(fd_, static_cast<off_t>(length)) == 0 &&
               lseek(fd_, static_cast<off_t>(length), SEEK_SET) >= 0;
    }
    platform::FileError LastError() const override { return platform::FileError::other; }

  private:
    int fd_;
};

int OpenFlags(platform::Access access, platform::Disposition disposition) {
    int flags = access == platform::Access::read    ? O_RDONLY
                : access == platform::Access::write ? O_WRONLY
                                                    : O_RDWR;
    if (disposition == platform::Disposition::create_always) {
        flags |= O_CREAT | O_TRUNC;
    } else if (disposition == platform::Disposition::create_new) {
        flags |= O_CREAT | O_EXCL;
    }
    return flags;
}

} // namespace

// "E:\a\b" is root/a/b; names are plain ASCII in the benchmark.
std::string HostFolderFiles::HostPath(const std::wstring& path) const {
    std::string result = root_;
    for (wchar_t c : path.substr(2)) {
        result += c == L'\\' ? '/' : static_cast<char>(c);
    }
    return result;
}

std::uint32_t HostFolderFiles::Attributes(const std::wstring& path) {
    struct stat info {};
    if (stat(HostPath(path).c_str(), &info) != 0) {
        return platform::kNoAttributes;
    }
    return S_ISDIR(info.st_mode) ? platform::kAttrDirectory : platform::kAttrArchive;
}

bool HostFolderFiles::MakeFolder(const std::wstring& path) {
    return mkdir(HostPath(path).c_str(), 0755) == 0;
}

platform::FileHandle HostFolderFiles::Open(const std::wstring& path, platform::Access access,
                                           unsigned, platform::Disposition disposition,
                                           platform::FileError* error) {
    const int fd = open(HostPath(path).c_str(), OpenFlags(access, disposition), 0644);
    if (fd < 0) {
        if (error) {
            *error = platform::FileError::other;
        }
        return nullptr;
    }
    return std::make_unique<HostFile>(fd);
}

bool HostFolderFiles::Remove(const std::wstring& path) {
    return unlink(HostPath(path).c_str()) == 0;
}

std::optional<std::uint64_t> HostFolderFiles::FreeBytes(const std::wstring&) {
    struct statvfs info {};
    if (statvfs(root_.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.f_bfree) * info.f_frsize;
}

platform::DriveType HostFolderFiles::DriveKind(const std::wstring& root) {
    return root == L"E:\\" ? platform::DriveType::fixed : platform::DriveType::no_root_dir;
}

} // namespace stowkeep::images
