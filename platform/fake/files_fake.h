#pragma once

// An in-memory file system with the Windows behaviour the program relies on:
// drive letters with their type, free space and file-system name,
// case-insensitive names listed in name order, attributes, share modes,
// read-only and hidden files, junctions, a disk that fills up, faults
// injected on the Nth call of an operation, and durability: data written but
// not flushed (by its file or by a flush of its volume) is lost on a power
// cut or an unplug. Safe to use from several threads.

#include "platform/files.h"

#include <memory>
#include <string>
#include <string_view>

namespace stowkeep::platform {

class FakeFileSystem : public FileSystem {
  public:
    // The operations a fault can be injected into.
    enum class Op {
        list,
        open,
        read,
        write,
        flush,
        set_length,
        move,
        remove,
        make_folder,
        free_space,
        volume_flush,
        any // every call above, counted together
    };

    // The countdown-th call of op from now (1: the next one) fails with
    // error; with persist, every later call fails too. A non-empty path
    // limits the fault to calls on that file or folder.
    struct Fault {
        Op op;
        int countdown = 1;
        FileError error = FileError::io_error;
        bool persist = false;
        std::wstring path;
        // With path: calls on everything beneath it fail too.
        bool under = false;
        // The volume of the call is pulled out when the fault fires.
        bool unplug = false;
    };

    FakeFileSystem();
    ~FakeFileSystem() override;

    // Setup. These bypass share modes, attributes and free space.
    void AddVolume(wchar_t letter, std::uint64_t freeBytes, std::wstring fileSystem = L"NTFS",
                   DriveType type = DriveType::fixed);
    void SetFreeBytes(wchar_t letter, std::uint64_t freeBytes);
    void AddFolder(const std::wstring& path); // with every missing parent
    void AddFile(const std::wstring& path, std::string_view content,
                 std::uint32_t attributes = kAttrArchive); // parents created too
    // A folder entry that leads to target (a junction: directory and
    // reparse-point attributes; a symbolic link to a folder with its tag).
    void AddJunction(const std::wstring& path, const std::wstring& target,
                     std::uint32_t reparseTag = kReparseTagMountPoint);
    // A folder of its own that carries a reparse point with reparseTag, such
    // as a cloud placeholder (parents created too).
    void AddReparseFolder(const std::wstring& path, std::uint32_t reparseTag);
    void InjectFault(const Fault& fault);
    void ClearFaults();
    // Whether FlushVolume works on the letter's volume (Windows) or is
    // refused (Wine); it works unless set otherwise.
    void SetVolumeFlush(wchar_t letter, bool available);
    // Every file on every volume loses what was written to it since it was
    // last made durable; shortening a file and names are kept.
    void PowerCut();
    // The volume and its files vanish, losing what was not durable; handles
    // open on it fail from then on, also after it is plugged in again.
    void Unplug(wchar_t letter);
    void Plug(wchar_t letter);

    // Inspection.
    std::optional<std::string> Content(const std::wstring& path) const;
    int OpenFileCount() const;
    // Calls counted by the faults' countdown (Op::any) so far.
    int CallCount() const;

    // The file and folder calls refuse a plain path that is longer than
    // Windows takes without a long-path opt-in (platform/long_path.h), and take
    // the \\?\ form of a path, which the system hands on untouched, up to
    // kMaxLongPath. Setup and inspection take paths of any length.
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

    struct State;

  private:
    std::shared_ptr<State> state_;
};

} // namespace stowkeep::platform
