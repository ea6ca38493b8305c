#pragma once

#include <string>
#include <string_view>

namespace stowkeep::platform::fake {

// Upper-cases ASCII letters: the fakes' stand-in for the system's case-blind
// comparison of names (all names this program uses are ASCII).
std::wstring AsciiUpper(std::wstring_view text);

bool EqualIgnoringAsciiCase(std::wstring_view a, std::wstring_view b);

} // namespace stowkeep::platform::fake
