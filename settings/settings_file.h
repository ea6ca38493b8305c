#pragma once

#include "platform/profile_files.h"

#include <string>
#include <string_view>

namespace stowkeep::settings {

// The program's settings file, set.ini. There is no settings object in memory:
// every read and every write opens the file and closes it again, so a change is
// seen by the next reader at once, whoever made it.
class SettingsFile {
  public:
    SettingsFile(platform::ProfileFiles& profile, std::wstring path); // path: full path of set.ini

    // Values longer than 2047 characters are cut to their first 2047.
    std::wstring ReadText(std::wstring_view section, std::wstring_view key,
                          std::wstring_view def) const;

    // A decimal integer (optional sign); def when the key is absent, empty, not a
    // number or outside the 32-bit range.
    int ReadInteger(std::wstring_view section, std::wstring_view key, int def) const;

    // False when refused. The file keeps every character of the value: it is
    // created as UTF-16LE, and a file in the ANSI code page is rewritten so once
    // a value needs it. A value with a line break is refused without touching
    // the file: written as it is, it would break into lines of keys and sections
    // of its own and could overwrite other settings.
    bool WriteText(std::wstring_view section, std::wstring_view key, std::wstring_view value) const;

    std::wstring WriteErrorText() const; // "Unable to write to <full path>"
    const std::wstring& Path() const;

  private:
    platform::ProfileFiles& profile_;
    std::wstring path_;
};

} // namespace stowkeep::settings
