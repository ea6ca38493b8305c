#pragma once

#include "platform/user_registry.h"
#include "settings/settings_file.h"

#include <string>
#include <string_view>

namespace stowkeep::settings {

inline constexpr std::wstring_view kRunKeyPath =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr std::wstring_view kAutorunValueName = L"Stowkeep";

// The autorun value: "Stowkeep" under the current user's Run key, naming the
// companion launcher Startshim.exe beside the executable.
class Autorun {
  public:
    // executableFolder: the running executable's folder, with or without a
    // trailing backslash.
    Autorun(platform::UserRegistry& registry, std::wstring executableFolder);

    // Start-up check: a non-empty autorun value writes Run=on in section Auto.
    // It never writes "off". False when that write was refused (the caller
    // shows file.WriteErrorText()).
    bool Check(const SettingsFile& file) const;

    // Writes Data() as the autorun value. False when refused (the caller shows
    // SetErrorText()).
    bool Set() const;

    // Deletes the autorun value; a value that is not there is no error.
    void Clear() const;

    std::wstring Data() const;         // e.g. C:\Tools\Device\Startshim.exe
    std::wstring SetErrorText() const; // "Failed to set data for 'Stowkeep'"

  private:
    platform::UserRegistry& registry_;
    std::wstring folder_;
};

} // namespace stowkeep::settings
