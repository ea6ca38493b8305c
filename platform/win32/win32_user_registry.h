#pragma once

#include "platform/user_registry.h"

namespace stowkeep::platform::win32 {

// HKEY_CURRENT_USER through the registry functions; keys are opened for each
// call with only the access it needs, and never created.
class Win32UserRegistry : public UserRegistry {
  public:
    std::optional<std::wstring> ReadString(std::wstring_view subkey,
                                           std::wstring_view name) const override;
    bool WriteString(std::wstring_view subkey, std::wstring_view name,
                     std::wstring_view data) override;
    bool DeleteValue(std::wstring_view subkey, std::wstring_view name) override;
};

} // namespace stowkeep::platform::win32
