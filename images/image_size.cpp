#include "images/image_size.h"

#include <limits>

namespace stowkeep::images {
namespace {

std::wstring WithoutBlanks(std::wstring text) {
    std::erase(text, L' ');
    return text;
}

// A whole decimal number with an optional sign and nothing else.
std::optional<std::int64_t> ParseWhole(const std::wstring& text) {
    std::size_t digitsFrom = (!text.empty() && (text[0] == L'-' || text[0] == L'+')) ? 1 : 0;
    if (text.size() == digitsFrom || text.size() - digitsFrom > 18) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (std::size_t i = digitsFrom; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') {
            return std::nullopt;
        }
        value = value * 10 + (text[i] - L'0');
    }
    return text[0] == L'-' ? -value : value;
}

} // namespace

std::int64_t UnitBytes(const std::wstring& unit) {
    return unit == L"KB" ? kKilobyte : kGigabyte;
}

std::optional<std::int32_t> ParseSizeField(const std::wstring& text) {
    const std::size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring::npos) {
        return std::nullopt;
    }
    const auto value = ParseWhole(text.substr(first, text.find_last_not_of(L' ') + 1 - first));
    if (!value || *value < std::numeric_limits<std::int32_t>::min() ||
        *value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(*value);
}

std::optional<std::int64_t> RowSizeInBytes(const std::wstring& sizeText) {
    const std::size_t split = sizeText.size() < 2 ? 0 : sizeText.size() - 2;
    const auto number = ParseWhole(WithoutBlanks(sizeText.substr(0, split)));
    const std::int64_t unit = UnitBytes(WithoutBlanks(sizeText.substr(split)));
    if (!number || *number > std::numeric_limits<std::int64_t>::max() / unit ||
        *number < std::numeric_limits<std::int64_t>::min() / unit) {
        return std::nullopt;
    }
    return *number * unit;
}

} // namespace stowkeep::images
