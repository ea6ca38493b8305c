#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stowkeep::platform {

// String values under keys of the current user's part of the registry
// (HKEY_CURRENT_USER). Keys are opened for each call and never created: a call
// on a key that does not exist reads nothing and writes nothing.
class UserRegistry {
  public:
    virtual ~UserRegistry() = default;

    // The string value name of key subkey, plain (REG_SZ) or expandable
    // (REG_EXPAND_SZ, whose text comes back as stored, unexpanded); nothing when
    // the key or the value is absent or the value is not a string.
    virtual std::optional<std::wstring> ReadString(std::wstring_view subkey,
                                                   std::wstring_view name) const = 0;

    // Writes name as a string value, replacing any earlier one. False when the
    // key is absent or the system refuses the write.
    virtual bool WriteString(std::wstring_view subkey, std::wstring_view name,
                             std::wstring_view data) = 0;

    // Removes the value; false when there was nothing to remove or it was refused.
    virtual bool DeleteValue(std::wstring_view subkey, std::wstring_view name) = 0;
};

} // namespace stowkeep::platform
