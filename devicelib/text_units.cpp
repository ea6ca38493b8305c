#include "devicelib/text_units.h"

#include "devicelib/os_table.h"

#include <algorithm>

namespace stowkeep::hatchlink {

std::size_t TextLength(const char16_t* text, std::size_t capacity) {
    std::size_t n = 0;
    while (n < capacity && text[n] != 0)
        ++n;
    return n;
}

void CopyText(char16_t* destination, std::size_t capacity, const char16_t* source,
              std::size_t sourceCapacity) {
    const std::size_t n = std::min(TextLength(source, sourceCapacity), capacity - 1);
    std::copy(source, source + n, destination);
    destination[n] = 0;
}

bool SameUnits(const char16_t* a, const char16_t* b, int units) {
    return Os().CompareStringW(kLocaleSystemDefault, kNormIgnoreCase, a, units, b, units) ==
           kCstrEqual;
}

} // namespace stowkeep::hatchlink
