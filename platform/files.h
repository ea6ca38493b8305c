#pragma once

// The main program's view of files, folders and volumes. Paths are Windows
// paths ("E:\backup\Data"); names compare without regard to case. The Win32
// side passes them to the W functions unchanged; the in-memory side
// (platform/fake/files_fake.h) behaves the same way for tests.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace stowkeep::platform {

// File attribute bits, the values of FILE_ATTRIBUTE_*.
inline constexpr std::uint32_t kAttrReadOnly = 0x1;
inline constexpr std::uint32_t kAttrHidden = 0x2;
inline constexpr std::uint32_t kAttrSystem = 0x4;
inline constexpr std::uint32_t kAttrDirectory = 0x10;
inline constexpr std::uint32_t kAttrArchive = 0x20;
inline constexpr std::uint32_t kAttrNormal = 0x80;
inline constexpr std::uint32_t kAttrReparsePoint = 0x400;
// Reparse tags (IO_REPARSE_TAG_*) of the folders that lead elsewhere.
inline constexpr std::uint32_t kReparseTagMountPoint = 0xA0000003; // junction, mounted volume
inline constexpr std::uint32_t kReparseTagSymlink = 0xA000000C;
// What Attributes() answers for a path that cannot be examined
// (INVALID_FILE_ATTRIBUTES).
inline constexpr std::uint32_t kNoAttributes = 0xFFFFFFFF;

// Why an operation failed, reduced to what callers act upon.
enum class FileError {
    none,
    not_found,         // ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND
    access_denied,     // ERROR_ACCESS_DENIED (read-only, hidden on CREATE_ALWAYS, folder)
    sharing_violation, // another handle's share mode forbids this access
    already_exists,    // ERROR_ALREADY_EXISTS, ERROR_FILE_EXISTS
    disk_full,         // ERROR_DISK_FULL, ERROR_HANDLE_DISK_FULL
    io_error,          // any other failure of a read or write
    other,
};

// One entry of a folder listing. "." and ".." are never listed.
struct FolderEntry {
    std::wstring name;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
    // The reparse tag when the reparse-point attribute is set, otherwise 0.
    std::uint32_t reparseTag = 0;

    bool IsFolder() const { return (attributes & kAttrDirectory) != 0; }
    bool IsReparsePoint() const { return (attributes & kAttrReparsePoint) != 0; }
};

enum class Access { read, write, read_write };

// Share-mode bits, the values of FILE_SHARE_*.
enum Share : unsigned {
    share_none = 0,
    share_read = 1,
    share_write = 2,
    share_read_write = 3,
};

enum class Disposition {
    open_existing, // OPEN_EXISTING
    create_always, // CREATE_ALWAYS: a new file, or an existing one emptied
    create_new,    // CREATE_NEW: fails with already_exists
};

// GetDriveTypeW answers.
enum class DriveType : unsigned {
    unknown = 0,
    no_root_dir = 1,
    removable = 2,
    fixed = 3,
    remote = 4,
    cdrom = 5,
    ramdisk = 6,
};

// An open file. Destroying it closes it. Read and Write work at the current
// position, which starts at 0. The Win32 side buffers files
// (platform/buffered_file.h): a Write may report success while its data is
// still held, and a failure to write it then shows at a later call, at the
// latest at Flush.
class File {
  public:
    File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    virtual ~File() = default;

    // Bytes read, 0 at the end of the file; nothing when the read failed.
    // Fewer than count only at the end of the file.
    virtual std::optional<std::size_t> Read(void* buffer, std::size_t count) = 0;
    // Writes all count bytes or fails.
    virtual bool Write(const void* data, std::size_t count) = 0;
    // Moves the position to offset, then writes as Write does.
    virtual bool WriteAt(std::uint64_t offset, const void* data, std::size_t count) = 0;
    // FlushFileBuffers: written data reaches the disk.
    virtual bool Flush() = 0;
    // Hands what this process still holds of written data to the system
    // (which may keep it in its cache), reporting a failure as Write does.
    // A file that holds nothing back has nothing to do.
    virtual bool WriteOut() { return true; }
    virtual std::optional<std::uint64_t> Size() = 0;
    // Sets the end of the file (extending it without writing data); the
    // position moves to the new end.
    virtual bool SetLength(std::uint64_t length) = 0;
    // The reason of the last failed call on this file.
    virtual FileError LastError() const = 0;
};

using FileHandle = std::unique_ptr<File>;

class FileSystem {
  public:
    FileSystem() = default;
    FileSystem(const FileSystem&) = delete;
    FileSystem& operator=(const FileSystem&) = delete;
    virtual ~FileSystem() = default;

    // The entries of a folder (pattern "*.*": hidden and system entries and
    // subfolders included), in the order the file system lists them. Nothing
    // when the folder cannot be listed (missing, not a folder, no access).
    virtual std::optional<std::vector<FolderEntry>> List(const std::wstring& folder) = 0;

    // GetFileAttributesW; kNoAttributes when the path cannot be examined.
    virtual std::uint32_t Attributes(const std::wstring& path) = 0;
    virtual bool SetAttributes(const std::wstring& path, std::uint32_t attributes) = 0;

    // CreateDirectoryW: one level; fails when the parent is missing or the
    // name exists.
    virtual bool MakeFolder(const std::wstring& path) = 0;

    // CreateFileW with FILE_ATTRIBUTE_NORMAL. Null on failure, with the
    // reason in *error when given.
    virtual FileHandle Open(const std::wstring& path, Access access, unsigned share,
                            Disposition disposition, FileError* error = nullptr) = 0;

    // DeleteFileW.
    virtual bool Remove(const std::wstring& path) = 0;

    // MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH):
    // to is replaced by from in one step. Fails, leaving both, when to is
    // read-only or held open.
    virtual bool MoveReplacing(const std::wstring& from, const std::wstring& to,
                               FileError* error = nullptr) = 0;

    // GetDiskFreeSpaceExW on a root ("E:\"): the total number of free bytes
    // on the volume, not the caller's quota. Nothing when the query fails.
    virtual std::optional<std::uint64_t> FreeBytes(const std::wstring& root) = 0;

    // GetVolumeInformationW's file-system name ("NTFS", "FAT32"); nothing
    // when the query fails.
    virtual std::optional<std::wstring> VolumeFileSystem(const std::wstring& root) = 0;

    // GetDriveTypeW.
    virtual DriveType DriveKind(const std::wstring& root) = 0;

    // FlushFileBuffers on the volume of root ("E:\" -> \\.\E:, opened for
    // writing, which takes administrator rights): the data of every file open
    // on that volume reaches the disk. FileError::other where the system
    // refuses to flush a volume (Wine; a file system that cannot).
    virtual FileError FlushVolume(const std::wstring& root) {
        static_cast<void>(root);
        return FileError::other;
    }
};

// A folder exists when its attributes can be read and carry the directory
// attribute.
inline bool FolderExists(FileSystem& files, const std::wstring& path) {
    const std::uint32_t attributes = files.Attributes(path);
    return attributes != kNoAttributes && (attributes & kAttrDirectory) != 0;
}

inline bool FileExists(FileSystem& files, const std::wstring& path) {
    const std::uint32_t attributes = files.Attributes(path);
    return attributes != kNoAttributes && (attributes & kAttrDirectory) == 0;
}

} // namespace stowkeep::platform
