#include "images/file_name_rule.h"

#include <algorithm>
#include <array>
#include <cwctype>
#include <string_view>

namespace stowkeep::images {
namespace {

bool IsForbiddenCharacter(wchar_t c) {
    return c < 32 || std::wstring_view(L"\\/:*?\"<>|").find(c) != std::wstring_view::npos;
}

std::wstring Upper(std::wstring_view text) {
    std::wstring result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    return result;
}

// Windows decides on a device by the part before the first dot, trailing blanks ignored:
// "CON.x.dsk" and "NUL .dsk" both open the device.
bool IsDeviceName(std::wstring_view name) {
    std::wstring_view stem = name.substr(0, name.find(L'.'));
    stem = stem.substr(0, stem.find_last_not_of(L' ') + 1);
    static const std::array<std::wstring_view, 4> plain{L"CON", L"PRN", L"AUX", L"NUL"};
    const std::wstring upper = Upper(stem);
    if (std::find(plain.begin(), plain.end(), upper) != plain.end()) {
        return true;
    }
    const bool numbered =
        upper.size() == 4 && (upper.starts_with(L"COM") || upper.starts_with(L"LPT"));
    return numbered && upper[3] >= L'1' && upper[3] <= L'9';
}

} // namespace

bool IsUsableFileName(const std::wstring& name) {
    if (name.empty() || name == L"." || name == L"..") {
        return false;
    }
    if (std::any_of(name.begin(), name.end(), IsForbiddenCharacter)) {
        return false;
    }
    return !IsDeviceName(name);
}

} // namespace stowkeep::images
