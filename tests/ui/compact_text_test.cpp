#include "ui/compact_text.h"

#include <gtest/gtest.h>

namespace stowkeep::ui {
namespace {

// One unit per UTF-16 code unit, so the expected texts can be counted by eye.
int unitWidth(std::wstring_view text) {
    return static_cast<int>(text.size());
}

constexpr std::size_t kFrom = 7; // L"From : "

TEST(CompactTextTest, TextsKeepTheirEndsAndLoseTheirMiddle) {
    const struct {
        const char* what;
        std::wstring text;
        int width;
        TextSpan yieldFirst;
        std::wstring expected;
    } cases[] = {
        {"fits: unchanged", L"C:\\Data", 7, {}, L"C:\\Data"},
        {"empty", L"", 0, {}, L""},
        {"whole text gives way in its middle", L"abcdefghij", 7, {}, L"ab...ij"},
        {"the source gives way, the destination stays",
         L"From : C:\\aaaa\\bbbb\\cccc  ----->  To: E:\\backup\\cccc",
         40,
         {kFrom, kFrom + 17},
         L"From : C...c  ----->  To: E:\\backup\\cccc"},
        {"beyond a short source, the longer end gives way first",
         L"From : C:\\ab  ----->  To: E:\\backup\\ab\\long\\destination",
         30,
         {kFrom, kFrom + 5},
         L"From : ...\\ab\\long\\destination"},
        {"a path keeps its file name",
         L"C:\\Data\\Letters\\letter-1.txt",
         20,
         {0, 15},
         L"C:...rs\\letter-1.txt"},
        {"a stretch past the end is cut at the end", L"abcdefghij", 7, {5, 99}, L"abcd..."},
        {"nothing fits but the ellipsis", L"abcdef", 2, {}, L"..."},
        {"a cut starting inside a surrogate pair takes the whole pair",
         L"abc\xD83D\xDCC1"
         L"fghijkl",
         11,
         {},
         L"abc...ijkl"},
        {"a cut ending inside a surrogate pair takes the whole pair",
         L"abcdefg\xD83D\xDCC1"
         L"hij",
         11,
         {},
         L"abcde...hij"},
    };
    for (const auto& c : cases) {
        std::wstring shown = compactMiddle(c.text, c.width, unitWidth, c.yieldFirst);
        EXPECT_EQ(shown, c.expected) << c.what;
        EXPECT_LE(unitWidth(shown), std::max(c.width, 3)) << c.what;
    }
}

TEST(CompactTextTest, LongSourceLeavesTheWholeDestinationReadable) {
    const std::wstring source = L"C:\\" + std::wstring(110, L'x') + L"\\Photos";
    const std::wstring destination = L"E:\\backup\\Photos";
    const std::wstring line = L"From : " + source + L"  ----->  To: " + destination;

    std::wstring shown = compactMiddle(line, 80, unitWidth, {kFrom, kFrom + source.size()});

    EXPECT_EQ(shown.size(), 80U);
    EXPECT_TRUE(shown.starts_with(L"From : C:\\xx")) << std::string(shown.begin(), shown.end());
    EXPECT_TRUE(shown.ends_with(L"x\\Photos  ----->  To: E:\\backup\\Photos"))
        << std::string(shown.begin(), shown.end());
}

TEST(CompactTextTest, MeasuresOnlyAsOftenAsABinarySearchNeeds) {
    int calls = 0;
    auto counting = [&](std::wstring_view text) {
        ++calls;
        return unitWidth(text);
    };
    compactMiddle(std::wstring(1000, L'a'), 100, counting);
    EXPECT_LE(calls, 12) << "one for the whole text, then about log2(1000)";
}

} // namespace
} // namespace stowkeep::ui
