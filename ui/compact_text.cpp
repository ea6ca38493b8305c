#include "ui/compact_text.h"

#include <algorithm>

namespace stowkeep::ui {
namespace {

bool isLowSurrogate(wchar_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The stretch that loses `removed` characters. Each larger count removes a superset of the
// smaller one's characters, so the drawn width only shrinks as the count grows.
class Cuts {
  public:
    Cuts(std::wstring_view text, TextSpan preferred) : text_(text) {
        end_ = std::min(preferred.end, text.size());
        begin_ = std::min(preferred.begin, end_);
    }

    std::wstring compacted(std::size_t removed) const {
        auto [from, to] = stretch(removed);
        while (from > 0 && isLowSurrogate(text_[from]))
            --from;
        while (to < text_.size() && isLowSurrogate(text_[to]))
            ++to;
        std::wstring result(text_.substr(0, from));
        result += kEllipsis;
        result += text_.substr(to);
        return result;
    }

  private:
    std::pair<std::size_t, std::size_t> stretch(std::size_t removed) const {
        const std::size_t inside = end_ - begin_;
        if (removed <= inside) {
            const std::size_t from = begin_ + inside / 2 - removed / 2;
            return {from, from + removed};
        }
        const std::size_t extra = removed - inside;
        const std::size_t left = takenBefore(extra);
        return {begin_ - left, end_ + (extra - left)};
    }

    // Of `extra` characters beyond the preferred stretch, those taken before it: from the
    // longer of the two ends first, until both are as long, then from both in turn.
    std::size_t takenBefore(std::size_t extra) const {
        const std::size_t before = begin_, after = text_.size() - end_;
        if (before >= after) {
            const std::size_t lead = before - after;
            return extra <= lead ? extra : lead + (extra - lead) / 2;
        }
        const std::size_t lead = after - before;
        return extra <= lead ? 0 : (extra - lead + 1) / 2;
    }

    std::wstring_view text_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
};

} // namespace

std::wstring compactMiddle(std::wstring_view text, int width, const MeasureText& measure,
                           TextSpan yieldFirst) {
    if (text.empty() || measure(text) <= width)
        return std::wstring(text);
    const Cuts cuts(text, yieldFirst);
    // The smallest count that fits; counts past it fit too.
    std::size_t low = 1, high = text.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (measure(cuts.compacted(middle)) <= width)
            high = middle;
        else
            low = middle + 1;
    }
    return cuts.compacted(low);
}

} // namespace stowkeep::ui
