#include "ui/caption_fit.h"

#include <gtest/gtest.h>

namespace stowkeep::ui {
namespace {

// Every character half as wide as the font is high, so widths can be counted by eye.
int halfSizeWidth(std::wstring_view text, int sizePx) {
    return static_cast<int>(text.size()) * sizePx / 2;
}

TEST(CaptionFitTest, ACaptionShrinksUntilItFitsAndWrapsOnlyBelowTheSmallestSize) {
    const struct {
        const char* what;
        std::wstring caption;
        int width;
        int sizePx;
        CaptionFit expected;
    } cases[] = {
        {"fits: unchanged", L"Backup", 39, 13, {L"Backup", 13}},
        {"exactly as wide as its place", L"Backup", 36, 12, {L"Backup", 12}},
        // 12 characters: 78 at 13, 72 at 12, 66 at 11.
        {"one size smaller fits", L"Safe Removal", 72, 13, {L"Safe Removal", 12}},
        {"the largest size that fits, not the smallest",
         L"Safe Removal",
         70,
         13,
         {L"Safe Removal", 11}},
        {"the smallest size still fits", L"Safe Removal", 54, 13, {L"Safe Removal", 9}},
        {"below the smallest: two lines at the smallest size",
         L"Safe Removal",
         53,
         13,
         {L"Safe\nRemoval", 9}},
        {"split at the space nearest the middle", L"ab cdefgh ij", 20, 13, {L"ab cdefgh\nij", 9}},
        {"no space: one line at the smallest size", L"Removal", 10, 13, {L"Removal", 9}},
        {"a size below the smallest is kept", L"Tiny", 100, 8, {L"Tiny", 8}},
        {"empty", L"", 0, 13, {L"", 13}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fitCaption(c.caption, c.width, c.sizePx, halfSizeWidth), c.expected) << c.what;
}

TEST(CaptionFitTest, TheSmallestSizeIsTheCallersChoice) {
    EXPECT_EQ(fitCaption(L"Safe Removal", 60, 13, halfSizeWidth, 11),
              (CaptionFit{L"Safe\nRemoval", 11}));
}

} // namespace
} // namespace stowkeep::ui
