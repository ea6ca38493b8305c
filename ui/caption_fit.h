#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace stowkeep::ui {

// The width of a text drawn at a font size, both in the caller's units.
using MeasureAtSize = std::function<int(std::wstring_view text, int sizePx)>;

// How a caption is drawn so that it fits its place.
struct CaptionFit {
    std::wstring text; // what to draw: the caption, or its two lines joined by '\n'
    int sizePx = 0;
    bool operator==(const CaptionFit&) const = default;
};

// Captions smaller than this are hard to read.
inline constexpr int kSmallestCaptionPx = 9;

// The caption at `sizePx` when it fits in `width`; otherwise at the largest smaller size
// that fits, down to `smallestPx`. When not even that fits, it is split at the space
// nearest its middle into two lines at `smallestPx` (a caption without a space stays one
// line and is cut by the caller's clipping).
CaptionFit fitCaption(std::wstring_view caption, int width, int sizePx,
                      const MeasureAtSize& measure, int smallestPx = kSmallestCaptionPx);

} // namespace stowkeep::ui
