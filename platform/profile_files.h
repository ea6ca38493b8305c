#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace stowkeep::platform {

// Initialization files read and written the way the system's private-profile
// functions do it. Every call opens the file, does its work and closes it again,
// so nothing is cached between calls. Section and key names match without
// regard to letter case; values come back as stored.
class ProfileFiles {
  public:
    virtual ~ProfileFiles() = default;

    // The value of key in section, or def when the file, section or key is
    // absent. At most capacity - 1 characters come back (the rest is cut off),
    // as with a buffer of capacity characters.
    virtual std::wstring ReadString(const std::wstring& path, std::wstring_view section,
                                    std::wstring_view key, std::wstring_view def,
                                    std::size_t capacity) const = 0;

    // Sets key in section to value, creating the file, section or key where
    // absent and keeping everything else in the file. False when the system
    // refuses the write (read-only file, missing folder, file in use).
    virtual bool WriteString(const std::wstring& path, std::wstring_view section,
                             std::wstring_view key, std::wstring_view value) = 0;

    // Makes the file ready to keep every character of text in later writes. The
    // system keeps a file without a UTF-16LE byte-order mark in its ANSI code
    // page, where each character that the code page lacks becomes '?'. So a
    // missing file is created holding just the mark, and a file in the ANSI code
    // page that cannot hold text is replaced, in one step, by a UTF-16LE copy with
    // the mark and the same sections and keys. Any other file is left untouched.
    // False when the file cannot be created or written (read-only, missing
    // folder, file in use); it is then as it was.
    virtual bool PrepareToKeep(const std::wstring& path, std::wstring_view text) = 0;
};

} // namespace stowkeep::platform
