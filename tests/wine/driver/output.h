#pragma once

#include <string>

namespace stowkeep::driver {

// One line of what a command read, in UTF-8 on standard output.
void Print(const std::wstring& text);

// Says why a command could not do what was asked; returns its exit code, 1.
int Fail(const std::wstring& why);

} // namespace stowkeep::driver
