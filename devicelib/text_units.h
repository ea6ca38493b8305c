#pragma once
// Fixed-buffer text helpers over UTF-16 code units; nothing here allocates.

#include <cstddef>

namespace stowkeep::hatchlink {

std::size_t TextLength(const char16_t* text, std::size_t capacity);
// Copies and terminates, cutting what does not fit.
void CopyText(char16_t* destination, std::size_t capacity, const char16_t* source,
              std::size_t sourceCapacity);
// The first `units` code units of both texts are equal, letter case ignored,
// as the system's default locale compares them.
bool SameUnits(const char16_t* a, const char16_t* b, int units);

} // namespace stowkeep::hatchlink
