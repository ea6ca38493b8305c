#pragma once

#include "platform/profile_files.h"

namespace stowkeep::platform::win32 {

// Initialization files through the system's private-profile functions; a file
// is made ready for text outside the ANSI code page by rewriting it as UTF-16LE.
class Win32ProfileFiles : public ProfileFiles {
  public:
    std::wstring ReadString(const std::wstring& path, std::wstring_view section,
                            std::wstring_view key, std::wstring_view def,
                            std::size_t capacity) const override;
    bool WriteString(const std::wstring& path, std::wstring_view section, std::wstring_view key,
                     std::wstring_view value) override;
    bool PrepareToKeep(const std::wstring& path, std::wstring_view text) override;
};

} // namespace stowkeep::platform::win32
