#include "tests/app/app_world.h"

#include <cstring>
#include <gtest/gtest.h>

namespace stowkeep::app {
namespace {

using testing::AppWorld;

struct ButtonCase {
    const char* button;
    const char* text;
    const char* normal;
    const char* hover;
    const char* pressed;
    const char* noDevice; // null: works without the enclosure
    int page;             // where a click leads; -1 for Safe Removal
};

const ButtonCase kButtons[] = {
    {"Image16", "Backup", "Image7", "Image8", "Image9", "Image28", 1},
    {"Image17", "Virtual HDD", "Image22", "Image23", "Image24", "Image29", 2},
    {"Image18", "Setting", "Image10", "Image11", "Image12", nullptr, 3},
    {"Image19", "Safe Removal", "Image13", "Image14", "Image15", "Image30", -1},
};

std::wstring Wide(const char* text) {
    return std::wstring(text, text + std::strlen(text));
}

void EnclosurePresent(AppWorld& world) {
    world.form1->State().DeviceState = L"ok";
    world.form1->Page0().ShowDevicePictures(true);
}

TEST(MainPageButtons, WithoutTheEnclosureOnlySettingReacts) {
    for (const ButtonCase& c : kButtons) {
        SCOPED_TRACE(c.button);
        AppWorld world;
        world.PutLibrary();
        world.Start();
        auto& button = world.Button(c.button);
        EXPECT_EQ(button.text(), Wide(c.text));
        const auto still = world.StorePicture(c.noDevice ? c.noDevice : c.normal);
        EXPECT_EQ(world.PictureOf(c.button), still);

        button.pointerEnter();
        EXPECT_EQ(world.PictureOf(c.button), world.StorePicture(c.noDevice ? c.noDevice : c.hover));
        button.mouseDown();
        EXPECT_EQ(world.PictureOf(c.button),
                  world.StorePicture(c.noDevice ? c.noDevice : c.pressed));
        button.click();
        EXPECT_EQ(world.form1->Pages().activePage(), c.noDevice ? 0 : c.page);
        button.pointerLeave();
        EXPECT_EQ(world.PictureOf(c.button), still);
        EXPECT_TRUE(world.toolkit.messages().shown().empty());
        EXPECT_EQ(world.libraryCalls, (std::vector<std::string>{"DllSet"}));
    }
}

TEST(MainPageButtons, WithTheEnclosureEveryButtonFollowsThePointer) {
    for (const ButtonCase& c : kButtons) {
        SCOPED_TRACE(c.button);
        AppWorld world;
        world.Start();
        EnclosurePresent(world);
        auto& button = world.Button(c.button);
        EXPECT_EQ(world.PictureOf(c.button), world.StorePicture(c.normal));
        button.pointerEnter();
        EXPECT_EQ(world.PictureOf(c.button), world.StorePicture(c.hover));
        button.mouseDown();
        EXPECT_EQ(world.PictureOf(c.button), world.StorePicture(c.pressed));
        button.click(); // no release handler: the pressed picture stays
        EXPECT_EQ(world.PictureOf(c.button), world.StorePicture(c.pressed));
        button.pointerLeave();
        EXPECT_EQ(world.PictureOf(c.button), world.StorePicture(c.normal));
        if (c.page >= 0) {
            EXPECT_EQ(world.form1->Pages().activePage(), c.page);
        }
    }
}

TEST(MainPageButtons, LosingTheEnclosureBringsBackTheNoEnclosurePictures) {
    AppWorld world;
    world.Start();
    EnclosurePresent(world);
    world.form1->State().DeviceState = L"non";
    world.form1->Page0().ShowDevicePictures(false);
    for (const ButtonCase& c : kButtons)
        EXPECT_EQ(world.PictureOf(c.button), world.StorePicture(c.noDevice ? c.noDevice : c.normal))
            << c.button;
}

TEST(MainPageButtons, MainOfPagesOneAndTwoLeadsBack) {
    AppWorld world;
    world.Start();
    EnclosurePresent(world);
    world.Button("Image16").click();
    world.form1->spSkinButton2Click();
    EXPECT_EQ(world.form1->Pages().activePage(), 0);
}

} // namespace
} // namespace stowkeep::app
