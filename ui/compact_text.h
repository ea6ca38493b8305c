#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace stowkeep::ui {

// A stretch [begin, end) of a text; end past the text means up to its end.
struct TextSpan {
    std::size_t begin = 0;
    std::size_t end = std::wstring::npos;
    bool operator==(const TextSpan&) const = default;
};

// The width of a text in whatever unit the caller draws in.
using MeasureText = std::function<int(std::wstring_view)>;

inline constexpr wchar_t kEllipsis[] = L"...";

// The text as it fits in `width`: whole when it fits, otherwise with the shortest middle
// stretch replaced by "...", so that its start and end stay readable. The stretch is taken
// from the middle of `yieldFirst` while that suffices (a path whose ends matter more than
// its middle); beyond it, from the longer of the two ends first, then from both in turn.
// Surrogate pairs are never split. When not even "..." fits, the result is "...".
std::wstring compactMiddle(std::wstring_view text, int width, const MeasureText& measure,
                           TextSpan yieldFirst = {});

} // namespace stowkeep::ui
