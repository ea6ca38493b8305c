#include "images/image_size.h"

#include <gtest/gtest.h>

namespace stowkeep::images {
namespace {

TEST(ImageSize, SizeFieldTakesWholeThirtyTwoBitNumbersOnly) {
    EXPECT_EQ(ParseSizeField(L"20"), 20);
    EXPECT_EQ(ParseSizeField(L" 7 "), 7);
    EXPECT_EQ(ParseSizeField(L"-3"), -3);
    EXPECT_EQ(ParseSizeField(L"2147483647"), 2147483647);
    for (const wchar_t* text : {L"", L"  ", L"1.5", L"12a", L"2147483648", L"- 1", L"1 2"}) {
        EXPECT_EQ(ParseSizeField(text), std::nullopt) << text;
    }
}

TEST(ImageSize, RowSizeTextGivesBytesByItsUnit) {
    EXPECT_EQ(RowSizeInBytes(L"1440 KB"), 1474560);
    EXPECT_EQ(RowSizeInBytes(L"20 GB"), 21474836480);
    EXPECT_EQ(RowSizeInBytes(L"3 GB"), 3 * kGigabyte);
    EXPECT_EQ(RowSizeInBytes(L"0 GB"), 0);
    EXPECT_EQ(RowSizeInBytes(L"2147483647 GB"), 2147483647LL * kGigabyte);
    EXPECT_EQ(RowSizeInBytes(L"x GB"), std::nullopt);
    EXPECT_EQ(RowSizeInBytes(L"GB"), std::nullopt);
}

} // namespace
} // namespace stowkeep::images
