#include "settings/autorun.h"
#include "tests/app/app_world.h"

#include <gtest/gtest.h>

namespace stowkeep::app {
namespace {

using testing::AppWorld;
using testing::kSettingsPath;

TEST(MainWindowStartUp, StartsHiddenInTheNotificationAreaOnTheMainPage) {
    AppWorld world;
    world.PutLibrary();
    world.Start();
    auto& window = world.form1->Window();

    EXPECT_FALSE(window.shown());
    EXPECT_FALSE(window.everShown());
    EXPECT_EQ(window.text(), L"Stowkeep (KD-RX710)");
    EXPECT_EQ(window.options().clientWidth, 531);
    EXPECT_EQ(window.options().clientHeight, 363);
    EXPECT_EQ(world.form1->Pages().pageCount(), 5);
    EXPECT_EQ(world.form1->Pages().activePage(), 0);

    auto& tray = world.form1->Tray();
    EXPECT_TRUE(tray.visible());
    std::vector<std::wstring> captions;
    for (const auto& item : tray.menuItems())
        captions.push_back(item.caption);
    EXPECT_EQ(captions, (std::vector<std::wstring>{L"About...", L"Main", L"Exit"}));

    EXPECT_EQ(world.form1->State().DeviceState, L"non");
    EXPECT_EQ(world.form1->State().BackupState, L"non");
    EXPECT_EQ(world.form1->State().ExitFlag.load(), 0);
    EXPECT_TRUE(world.toolkit.messages().shown().empty());
}

TEST(MainWindowStartUp, MainPageShowsVersionLinkLogoAndClose) {
    AppWorld world;
    world.Start();
    auto& page = world.Page0();
    EXPECT_EQ(page.get<ui::Label>("spSkinStdLabel1").text(), L"Ver 1.00.6536");
    EXPECT_EQ(page.get<ui::Label>("spSkinStdLabel1").bounds().left, 430);
    auto& link = page.get<ui::LinkLabel>("spSkinLinkLabel1");
    EXPECT_EQ(link.bounds().left, 185);
    EXPECT_EQ(link.bounds().top, 317);
    EXPECT_FALSE(link.text().empty());
    EXPECT_EQ(page.get<ui::Button>("spSkinButton5").text(), L"Close");
    EXPECT_EQ(page.get<ui::Button>("spSkinButton5").bounds(), (ui::Rect{430, 304, 75, 27}));
    EXPECT_EQ(page.get<ui::Picture>("Image1").bounds().top, 296);
    EXPECT_EQ(world.PictureOf("Image1"), world.StorePicture("Image27"));

    link.click();
    ASSERT_EQ(world.openedPages.size(), 1u);
    EXPECT_NE(world.openedPages[0].find(L"stowkeep"), std::wstring::npos);
}

TEST(MainWindowStartUp, BindsTheDeviceLibraryOnceAndStopsItAtDestruction) {
    AppWorld world;
    world.PutLibrary();
    world.Start();
    EXPECT_EQ(world.libraries.LoadCount(testing::kLibraryPath), 1);
    EXPECT_EQ(world.libraryCalls, (std::vector<std::string>{"DllSet"}));
    world.form1.reset();
    EXPECT_EQ(world.libraryCalls, (std::vector<std::string>{"DllSet", "DllEnd"}));
    EXPECT_EQ(world.libraries.LoadCount(testing::kLibraryPath), 0);
}

TEST(MainWindowStartUp, WithoutTheDeviceLibraryTheProgramStillStarts) {
    AppWorld world;
    world.Start();
    EXPECT_FALSE(world.form1->Library().Loaded());
    EXPECT_TRUE(world.toolkit.messages().shown().empty());
    world.form1->Main1Click();
    EXPECT_TRUE(world.form1->Window().shown());
}

TEST(MainWindowStartUp, AutorunValueTurnsTheRunSettingOn) {
    struct Case {
        const char* what;
        std::optional<std::wstring> runValue;
        bool writesRunOn;
    };
    const Case cases[] = {
        {"value set", L"C:\\Tools\\Stowkeep\\Startshim.exe", true},
        {"empty value", L"", false},
        {"no value", std::nullopt, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AppWorld world;
        if (c.runValue)
            world.registry.WriteString(settings::kRunKeyPath, settings::kAutorunValueName,
                                       *c.runValue);
        world.Start();
        const auto text = world.profiles.FileText(kSettingsPath);
        EXPECT_EQ(text.has_value(), c.writesRunOn);
        if (text) {
            EXPECT_NE(text->find(L"Run=on"), std::wstring::npos);
        }
        EXPECT_TRUE(world.toolkit.messages().shown().empty());
    }
}

TEST(MainWindowStartUp, RefusedAutorunWriteIsReportedAndStartUpGoesOn) {
    AppWorld world;
    world.PutLibrary();
    world.profiles.PutFile(kSettingsPath, L"[Auto]\r\nRun=off\r\n");
    world.profiles.SetReadOnly(kSettingsPath, true);
    world.registry.WriteString(settings::kRunKeyPath, settings::kAutorunValueName, L"x");
    world.Start();
    EXPECT_EQ(world.toolkit.messages().texts(),
              (std::vector<std::wstring>{L"Unable to write to " + kSettingsPath}));
    EXPECT_EQ(world.profiles.FileText(kSettingsPath), L"[Auto]\r\nRun=off\r\n");
    EXPECT_TRUE(world.form1->Library().Loaded());
}

} // namespace
} // namespace stowkeep::app
