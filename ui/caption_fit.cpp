#include "ui/caption_fit.h"

#include <algorithm>

namespace stowkeep::ui {

namespace {

// The space closest to the caption's middle, or npos.
std::size_t middleSpace(std::wstring_view caption) {
    std::size_t best = std::wstring_view::npos;
    const std::size_t middle = caption.size() / 2;
    for (std::size_t at = caption.find(L' '); at != std::wstring_view::npos;
         at = caption.find(L' ', at + 1)) {
        auto distance = [middle](std::size_t i) { return i > middle ? i - middle : middle - i; };
        if (best == std::wstring_view::npos || distance(at) < distance(best))
            best = at;
    }
    return best;
}

} // namespace

CaptionFit fitCaption(std::wstring_view caption, int width, int sizePx,
                      const MeasureAtSize& measure, int smallestPx) {
    const int smallest = std::min(smallestPx, sizePx);
    for (int size = sizePx; size >= smallest; --size)
        if (measure(caption, size) <= width)
            return {std::wstring(caption), size};
    std::wstring text(caption);
    if (std::size_t space = middleSpace(caption); space != std::wstring_view::npos)
        text[space] = L'\n';
    return {text, smallest};
}

} // namespace stowkeep::ui
