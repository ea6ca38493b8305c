#pragma once

#include "platform/profile_files.h"

#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>

namespace stowkeep::platform::fake {

// Initialization files kept in memory, read and written like the system's
// private-profile functions do, as bytes in the file's encoding: a file without
// a UTF-16LE byte-order mark, and every file they create, is in the ANSI code
// page and loses what it lacks. Paths match without regard to letter case. A
// file can be read-only (reads work, writes are refused) or held open by another
// program without sharing (neither reads nor writes get at it). A write needs
// the file's folder to exist, and no folder of the file's name. Safe to use from
// several threads at once, as the system's functions are.
class FakeProfileFiles : public ProfileFiles {
  public:
    std::wstring ReadString(const std::wstring& path, std::wstring_view section,
                            std::wstring_view key, std::wstring_view def,
                            std::size_t capacity) const override;
    bool WriteString(const std::wstring& path, std::wstring_view section, std::wstring_view key,
                     std::wstring_view value) override;
    bool PrepareToKeep(const std::wstring& path, std::wstring_view text) override;

    // The test's hands on the files; a file needs its folder.
    void AddFolder(std::wstring_view folder);
    void PutFile(const std::wstring& path, std::wstring_view text); // in the ANSI code page
    void PutFileBytes(const std::wstring& path, std::string bytes);
    std::optional<std::wstring> FileText(const std::wstring& path) const; // decoded
    std::optional<std::string> FileBytes(const std::wstring& path) const;
    void SetReadOnly(const std::wstring& path, bool readOnly);
    void SetHeldByAnotherProgram(const std::wstring& path, bool held);

  private:
    struct File {
        std::string bytes;
        bool readOnly = false;
        bool held = false;
    };

    bool FolderExists(std::wstring_view path) const;
    // The file at path, created empty where the system could create it.
    File* FindOrCreate(const std::wstring& path);

    mutable std::mutex mutex_;
    std::map<std::wstring, File> files_; // by upper-cased path
    std::set<std::wstring> folders_;     // upper-cased, without trailing backslash
};

} // namespace stowkeep::platform::fake
