#include "settings/settings_file.h"
#include "tests/app/app_world.h"

#include <gtest/gtest.h>

namespace stowkeep::app::testing {
namespace {

using Rows = std::vector<std::pair<std::wstring, std::wstring>>;

Rows RowsOf(const ui::ListView& list) {
    Rows rows;
    for (int row = 0; row < list.rowCount(); ++row)
        rows.emplace_back(list.cell(row, 0), list.cell(row, 1));
    return rows;
}

void Store(AppWorld& world, std::wstring_view section, std::wstring_view key,
           std::wstring_view value) {
    ASSERT_TRUE(
        settings::SettingsFile(world.profiles, kSettingsPath).WriteText(section, key, value));
}

// The start-up search for the enclosure reaches the state, the three
// device-bound buttons and both default folders.
TEST(Form1Wiring, StartUpLocatesTheEnclosure) {
    struct Case {
        const char* what;
        const char* vendor; // null: no USB volume at all
        const wchar_t* state;
        const char* backupPicture;
        const char* safeRemovalPicture;
        const wchar_t* backupFolder;
        const wchar_t* imageFolder;
    };
    const Case cases[] = {
        {"no volume", nullptr, L"non", "Image28", "Image30", L"Select Folder", L"Select Folder"},
        {"another maker's disk", "Generic ", L"non", "Image28", "Image30", L"Select Folder",
         L"Select Folder"},
        {"the enclosure", "KD-RX710", L"ok", "Image7", "Image13", L"F:\\backup", L"F:\\_iso"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AppWorld world;
        world.PutLibrary();
        if (c.vendor)
            world.PutUsbVolume(c.vendor, L'F');
        world.Start();
        EXPECT_EQ(world.form1->State().DeviceState, c.state);
        EXPECT_EQ(world.PictureOf("Image16"), world.StorePicture(c.backupPicture));
        EXPECT_EQ(world.PictureOf("Image19"), world.StorePicture(c.safeRemovalPicture));
        EXPECT_EQ(world.form1->Page1().JvDirectoryEdit2.text(), c.backupFolder);
        EXPECT_EQ(world.form1->Page2().JvDirectoryEdit3.text(), c.imageFolder);
        EXPECT_EQ(world.form1->Pages().activePage(), 0);
    }
}

TEST(Form1Wiring, BackupButtonOpensTheStoredJobs) {
    AppWorld world;
    world.PutUsbVolume("KD-RX710", L'F');
    Store(world, L"BackupSource", L"num", L"2");
    Store(world, L"BackupSource", L"1", L"C:\\Work");
    Store(world, L"BackupDestination", L"1", L"F:\\backup\\Work");
    Store(world, L"BackupSource", L"2", L"D:\\Photos");
    Store(world, L"BackupDestination", L"2", L"F:\\backup\\Photos");
    world.Start();

    world.form1->Image16Click();
    EXPECT_EQ(world.form1->Pages().activePage(), 1);
    EXPECT_EQ(RowsOf(world.form1->Page1().spSkinListView1),
              (Rows{{L"C:\\Work", L"F:\\backup\\Work"}, {L"D:\\Photos", L"F:\\backup\\Photos"}}));
}

TEST(Form1Wiring, VirtualHddButtonEmptiesTheImageListOnlyWithTheEnclosure) {
    for (const bool enclosure : {true, false}) {
        SCOPED_TRACE(enclosure ? "enclosure" : "no enclosure");
        AppWorld world;
        if (enclosure)
            world.PutUsbVolume("KD-RX710", L'F');
        world.Start();
        auto& list = world.form1->Page2().spSkinListView2;
        list.addRow(L"disk.img", {L"F:\\_iso", L"1024MB"});

        world.form1->Image17Click();
        EXPECT_EQ(list.rowCount(), enclosure ? 0 : 1);
        EXPECT_EQ(world.form1->Pages().activePage(), enclosure ? 2 : 0);
    }
}

TEST(Form1Wiring, SettingButtonShowsTheStoredOptionsAnew) {
    AppWorld world;
    world.Start();
    auto& page = world.form1->Page3();
    EXPECT_TRUE(page.spSkinCheckRadioBox2.checked()); // nothing stored: off
    Store(world, L"Auto", L"BackUp", L"on");
    Store(world, L"Virtual_HDD", L"Option", L"Fast");

    world.form1->Image18Click();
    EXPECT_EQ(world.form1->Pages().activePage(), 3);
    EXPECT_TRUE(page.spSkinCheckRadioBox1.checked());
    EXPECT_FALSE(page.spSkinCheckRadioBox2.checked());
    EXPECT_TRUE(page.spSkinCheckRadioBox8.checked());
    EXPECT_FALSE(page.spSkinCheckRadioBox9.checked());
}

// The enclosure's button, with automatic backup off, brings the main window
// back on the backup page; the watcher's request reaches the window through
// the user-interface queue.
TEST(Form1Wiring, EnclosureButtonOpensTheBackupPage) {
    AppWorld world;
    world.PutLibrary();
    world.buttonCode = 2;
    world.Start();
    world.form1->Window().hide();

    while (world.form1->Pages().activePage() != 1) {
        world.toolkit.headlessDispatcher().waitForWork();
        world.toolkit.dispatcher().processPendingMessages();
    }
    world.buttonCode = 0;
    EXPECT_TRUE(world.form1->Window().shown());
}

} // namespace
} // namespace stowkeep::app::testing
