#include "ui/artwork.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace stowkeep::ui {
namespace {

std::uint32_t alphaAt(const Bitmap& bitmap, int x, int y) {
    return bitmap.pixels[static_cast<size_t>(y * bitmap.width + x)] >> 24;
}

TEST(ArtworkTest, EveryPictureRendersAtItsScaledSize) {
    const PictureStore store = standardPictures();
    for (const auto& name : store.names()) {
        auto picture = store.get(name);
        for (double scale : {1.0, 1.5}) {
            Bitmap bitmap = picture->render(0, scale);
            EXPECT_EQ(bitmap.width, static_cast<int>(picture->width() * scale + 0.5));
            EXPECT_EQ(bitmap.height, static_cast<int>(picture->height() * scale + 0.5));
            EXPECT_EQ(bitmap.pixels.size(), static_cast<size_t>(bitmap.width * bitmap.height));
            // Every picture is a shape on a clear ground: the corner shows what lies below.
            EXPECT_EQ(alphaAt(bitmap, 0, 0), 0u) << std::string(name.begin(), name.end());
        }
    }
}

TEST(ArtworkTest, ButtonTilesAreOpaqueInside) {
    Bitmap tile = standardPictures().get(picture_names::BackupNormal)->render(0, 1.5);
    EXPECT_EQ(alphaAt(tile, tile.width / 2, tile.height - 8), 255u);
    EXPECT_EQ(alphaAt(tile, 8, tile.height / 2), 255u);
}

TEST(ArtworkTest, ButtonStatesLookDifferent) {
    namespace n = picture_names;
    const PictureStore store = standardPictures();
    const std::vector<const wchar_t*> families[] = {
        {n::BackupNormal, n::BackupHover, n::BackupPressed, n::BackupNoDevice},
        {n::VirtualHddNormal, n::VirtualHddHover, n::VirtualHddPressed, n::VirtualHddNoDevice},
        {n::SettingNormal, n::SettingHover, n::SettingPressed},
        {n::SafeRemovalNormal, n::SafeRemovalHover, n::SafeRemovalPressed, n::SafeRemovalNoDevice},
    };
    for (const auto& family : families) {
        for (size_t i = 0; i < family.size(); ++i)
            for (size_t j = i + 1; j < family.size(); ++j)
                EXPECT_NE(store.get(family[i])->render(0, 1).pixels,
                          store.get(family[j])->render(0, 1).pixels)
                    << i << " " << j;
    }
    EXPECT_NE(store.get(n::BackupNormal)->render(0, 1).pixels,
              store.get(n::SettingNormal)->render(0, 1).pixels);
}

TEST(ArtworkTest, BusyPictureMovesFromFrameToFrame) {
    auto busy = standardPictures().get(picture_names::Busy);
    ASSERT_GT(busy->frameCount(), 1);
    EXPECT_NE(busy->render(0, 1).pixels, busy->render(1, 1).pixels);
}

TEST(ArtworkTest, UnknownPictureNameIsAnError) {
    EXPECT_THROW(standardPictures().get(L"Image99"), std::out_of_range);
}

} // namespace
} // namespace stowkeep::ui
