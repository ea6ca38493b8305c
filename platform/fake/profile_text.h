#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace stowkeep::platform::fake {

// The text of an initialization file, looked at line by line the way the
// system's private-profile functions look at it: "[name]" lines open sections,
// "key=value" lines hold keys, names match without regard to ASCII letter case
// and around names and values blanks do not count. Only the first section of a
// name and the first key of a name in it count. A key line without "=" has no
// value.

// The stored value of key in section, or nothing when absent or without value.
std::optional<std::wstring> FindProfileValue(std::wstring_view text, std::wstring_view section,
                                             std::wstring_view key);

// The text with key in section set to value (leading blanks dropped); every
// other line is kept as it was. A new key goes after the section's last key, a
// new section at the end of the text.
std::wstring SetProfileValue(std::wstring_view text, std::wstring_view section,
                             std::wstring_view key, std::wstring_view value);

} // namespace stowkeep::platform::fake
