#include "tests/app/app_world.h"

#include <gtest/gtest.h>

namespace stowkeep::app {
namespace {

using testing::AppWorld;

TEST(AboutWindow, ShowsTheMainPagesVersionAndHidesOnOk) {
    AppWorld world;
    world.Start();
    auto& about = world.form3->Window();
    EXPECT_EQ(about.text(), L"About...");
    EXPECT_EQ(about.options().clientWidth, 379);
    EXPECT_EQ(about.options().clientHeight, 137);
    EXPECT_EQ(about.options().frame, ui::Frame::Dialog);
    EXPECT_FALSE(about.shown());
    EXPECT_EQ(about.get<ui::Label>("spSkinStdLabel1").text(), world.form1->VersionLabel().text());
    EXPECT_FALSE(about.get<ui::Label>("spSkinStdLabel2").text().empty());
    auto& logo = about.get<ui::Picture>("Image1");
    EXPECT_EQ(logo.picture()->name(), world.StorePicture("Image27"));
    EXPECT_EQ(logo.bounds().left, 21);
    EXPECT_EQ(logo.bounds().top, 34);

    world.form1->Tray().clickMenuItem("About1");
    world.form1->Tray().clickMenuItem("About1");
    EXPECT_TRUE(about.shown());
    EXPECT_FALSE(world.form1->Window().shown());
    about.get<ui::Button>("spSkinButton1").click();
    EXPECT_FALSE(about.shown());
    world.form1->About1Click();
    EXPECT_TRUE(about.shown());
}

TEST(WaitWindow, AnimatesWhileShownOnly) {
    AppWorld world;
    world.Start();
    auto& wait = world.form4->Window();
    EXPECT_EQ(wait.options().frame, ui::Frame::RoundedPopup);
    EXPECT_EQ(wait.options().clientWidth, 245);
    EXPECT_EQ(wait.options().clientHeight, 97);
    EXPECT_EQ(wait.options().centreOver, &world.form1->Window());
    EXPECT_EQ(wait.get<ui::Label>("Label1").text(), L"Please wait...");
    auto& busy = wait.get<ui::Picture>("Image1");
    EXPECT_EQ(busy.bounds(), (ui::Rect{96, 8, 50, 50}));

    for (int round = 0; round < 2; ++round) {
        world.form4->Show();
        EXPECT_TRUE(wait.shown());
        EXPECT_TRUE(busy.animating());
        const int before = busy.frame();
        world.toolkit.tickTimers();
        EXPECT_NE(busy.frame(), before);
        world.form4->Close();
        EXPECT_FALSE(wait.shown());
        EXPECT_FALSE(busy.animating());
    }
}

} // namespace
} // namespace stowkeep::app
