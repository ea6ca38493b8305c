#include "platform/buffered_file.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/files_win32_handles.h"

#include <algorithm>
#include <limits>

namespace stowkeep::platform {
namespace {

// fixedLength: opened for reading while no handle may write the file, so its
// length cannot change: a synchronous read that gives less than it asked for
// has reached the end, and a read from there gives 0 without asking again.
class Win32File final : public File {
  public:
    Win32File(ScopedFileHandle handle, bool fixedLength)
        : handle_(std::move(handle)), fixedLength_(fixedLength) {}

    std::optional<std::size_t> Read(void* buffer, std::size_t count) override {
        if (atEnd_) {
            return 0;
        }
        DWORD got = 0;
        const DWORD asked = Clamp(count);
        if (!ReadFile(handle_.get(), buffer, asked, &got, nullptr)) {
            return Fail<std::optional<std::size_t>>(std::nullopt);
        }
        atEnd_ = fixedLength_ && got < asked;
        return got;
    }

    bool Write(const void* data, std::size_t count) override {
        const auto* bytes = static_cast<const char*>(data);
        while (count > 0) {
            DWORD written = 0;
            if (!WriteFile(handle_.get(), bytes, Clamp(count), &written, nullptr)) {
                return Fail(false);
            }
            if (written == 0) {
                lastError_ = FileError::io_error;
                return false;
            }
            bytes += written;
            count -= written;
        }
        return true;
    }

    bool WriteAt(std::uint64_t offset, const void* data, std::size_t count) override {
        return MoveTo(offset) && Write(data, count);
    }

    bool Flush() override { return FlushFileBuffers(handle_.get()) || Fail(false); }

    std::optional<std::uint64_t> Size() override {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(handle_.get(), &size)) {
            return Fail<std::optional<std::uint64_t>>(std::nullopt);
        }
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    bool SetLength(std::uint64_t length) override {
        return MoveTo(length) && (SetEndOfFile(handle_.get()) || Fail(false));
    }

    FileError LastError() const override { return lastError_; }

  private:
    static DWORD Clamp(std::size_t count) {
        return static_cast<DWORD>(std::min<std::size_t>(count, 1u << 30));
    }

    bool MoveTo(std::uint64_t offset) {
        atEnd_ = false;
        LARGE_INTEGER distance{};
        distance.QuadPart = static_cast<LONGLONG>(offset);
        return SetFilePointerEx(handle_.get(), distance, nullptr, FILE_BEGIN) || Fail(false);
    }

    template <typename T> T Fail(T result) {
        lastError_ = FileErrorFrom(GetLastError());
        return result;
    }

    ScopedFileHandle handle_;
    bool fixedLength_;
    bool atEnd_ = false;
    FileError lastError_ = FileError::none;
};

DWORD DesiredAccess(Access access) {
    switch (access) {
    case Access::read:
        return GENERIC_READ;
    case Access::write:
        return GENERIC_WRITE;
    case Access::read_write:
        break;
    }
    return GENERIC_READ | GENERIC_WRITE;
}

DWORD CreationDisposition(Disposition disposition) {
    switch (disposition) {
    case Disposition::open_existing:
        return OPEN_EXISTING;
    case Disposition::create_always:
        return CREATE_ALWAYS;
    case Disposition::create_new:
        break;
    }
    return CREATE_NEW;
}

} // namespace

FileError FileErrorFrom(DWORD code) {
    switch (code) {
    case ERROR_SUCCESS:
        return FileError::none;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return FileError::not_found;
    case ERROR_ACCESS_DENIED:
        return FileError::access_denied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return FileError::sharing_violation;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
        return FileError::already_exists;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return FileError::disk_full;
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_CRC:
    case ERROR_IO_DEVICE:
        return FileError::io_error;
    default:
        return FileError::other;
    }
}

namespace {

// What Windows refuses for an existing file's attributes: writing a read-only
// file, and CREATE_ALWAYS with normal attributes over a read-only, hidden or
// system file. Wine (above all when run as root) lets some of it through, so
// the refusal is made here too and both keep such a file.
bool RefusedByAttributes(const std::wstring& path, Access access, Disposition disposition) {
    const DWORD existing = GetFileAttributesW(path.c_str());
    if (existing == INVALID_FILE_ATTRIBUTES || (existing & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    const bool readOnly = (existing & FILE_ATTRIBUTE_READONLY) != 0;
    const bool hiddenOrSystem = (existing & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
    if (disposition == Disposition::create_new) {
        return false;
    }
    return (readOnly && access != Access::read) ||
           (disposition == Disposition::create_always && (readOnly || hiddenOrSystem));
}

// Only an existing file written to or replaced can be refused for its
// attributes; a read or a CREATE_NEW needs no look at them.
bool MayBeRefusedByAttributes(Access access, Disposition disposition) {
    return disposition == Disposition::create_always ||
           (disposition == Disposition::open_existing && access != Access::read);
}

} // namespace

FileHandle Win32FileCalls::Open(const std::wstring& path, Access access, unsigned share,
                                Disposition disposition, FileError* error) {
    if (MayBeRefusedByAttributes(access, disposition) &&
        RefusedByAttributes(path, access, disposition)) {
        if (error) {
            *error = FileError::access_denied;
        }
        return nullptr;
    }
    ScopedFileHandle handle(CreateFileW(path.c_str(), DesiredAccess(access), share, nullptr,
                                        CreationDisposition(disposition), FILE_ATTRIBUTE_NORMAL,
                                        nullptr));
    if (handle.get() == INVALID_HANDLE_VALUE) {
        const DWORD code = GetLastError();
        handle.release();
        if (error) {
            *error = FileErrorFrom(code);
        }
        return nullptr;
    }
    if (error) {
        *error = FileError::none;
    }
    // The copy engine reads and writes in 1024-byte blocks; a system call
    // each would limit it, above all under Wine.
    const bool fixedLength = access == Access::read && (share & share_write) == 0;
    return std::make_unique<BufferedFile>(
        std::make_unique<Win32File>(std::move(handle), fixedLength), access);
}

} // namespace stowkeep::platform
