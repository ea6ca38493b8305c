#include "image_page_fixture.h"
#include "images/file_name_rule.h"

namespace stowkeep::images {
namespace {

using Row = std::vector<std::wstring>;
using ImageRequests = ImagePageTest;

TEST_F(ImageRequests, FloppyDiskFixesTheSizeAt1440Kilobytes) {
    Request(Floppy(), L"FD1");

    EXPECT_FALSE(page.spSkinSpinEdit1.enabled());
    EXPECT_EQ(page.spSkinSpinEdit1.text(), L"1440");
    EXPECT_EQ(page.spSkinStdLabel7.text(), L"KB");
    EXPECT_EQ(Rows(), (std::vector<Row>{{L"1", L"Floppy Disk", L"FD1", L"1440 KB", L"Waiting"}}));
    EXPECT_EQ(page.spSkinEdit2.text(), L"");
    EXPECT_TRUE(page.spSkinEdit2.focused());
}

TEST_F(ImageRequests, FixedDiskAfterFloppyDiskStartsAtZeroAndRefusesIt) {
    Floppy().click();
    Request(Fixed(), L"HD1");

    EXPECT_TRUE(page.spSkinSpinEdit1.enabled());
    EXPECT_EQ(page.spSkinStdLabel7.text(), L"GB");
    EXPECT_EQ(Messages(), std::vector<std::wstring>{L"File size must be greater than 0."});
    EXPECT_TRUE(page.spSkinSpinEdit1.focused());
    EXPECT_EQ(list->rowCount(), 0);
}

TEST_F(ImageRequests, RefusesIncompleteRequestsWithTheirMessage) {
    struct Case {
        bool pickType;
        const wchar_t* name;
        const wchar_t* size;
        const wchar_t* message;
        ui::Control* focus;
    };
    const Case cases[] = {
        {false, L"HD1", L"5", L"Please select Disk Type.", nullptr},
        {true, L"   ", L"5", L"Please write File Name.", &page.spSkinEdit2},
        {true, L"\t ", L"5", L"Please write File Name.", &page.spSkinEdit2},
        {true, L"HD1", L"", L"Please define File Size.", &page.spSkinSpinEdit1},
        {true, L"HD1", L"2x", L"Please define File Size.", &page.spSkinSpinEdit1},
        {true, L"HD1", L"-2", L"File size must be greater than 0.", &page.spSkinSpinEdit1},
    };
    for (const Case& c : cases) {
        toolkit.messages().clear();
        window->setFocusedControl(nullptr);
        if (c.pickType) {
            Fixed().click();
        }
        page.spSkinEdit2.type(c.name);
        page.spSkinSpinEdit1.setText(c.size);
        page.spSkinButton7.click();
        EXPECT_EQ(Messages(), std::vector<std::wstring>{c.message}) << c.name << "/" << c.size;
        EXPECT_EQ(window->focusedControl(), c.focus) << c.message;
        EXPECT_EQ(list->rowCount(), 0);
    }
}

TEST_F(ImageRequests, RefusesNamesThatWouldLeaveTheFolder) {
    for (const wchar_t* name : {L"..\\x", L"a:b", L"x/y", L"CON", L"nul", L"..", L"a?"}) {
        toolkit.messages().clear();
        Request(Fixed(), name, L"5");
        EXPECT_EQ(Messages(), std::vector<std::wstring>{kUnusableFileNameMessage}) << name;
        EXPECT_EQ(page.spSkinEdit2.text(), name);
        EXPECT_TRUE(page.spSkinEdit2.focused());
    }
    EXPECT_EQ(list->rowCount(), 0);
}

TEST_F(ImageRequests, KeepsTheNameAsTypedWithItsLeadingBlank) {
    Request(Fixed(), L" disk1", L"5");
    EXPECT_EQ(Rows(), (std::vector<Row>{{L"1", L"Fixed Disk", L" disk1", L"5 GB", L"Waiting"}}));
}

TEST_F(ImageRequests, SameNameIsOneRequestPerDiskTypeComparedCaseSensitively) {
    Request(Fixed(), L"DISK1", L"5");
    Request(Removable(), L"DISK1", L"2");
    Request(Fixed(), L"disk1", L"5");
    EXPECT_TRUE(Messages().empty());

    Request(Fixed(), L"DISK1", L"5");
    EXPECT_EQ(Messages(), std::vector<std::wstring>{L"There is same name in the list."});
    EXPECT_EQ(page.spSkinEdit2.text(), L"");
    EXPECT_TRUE(page.spSkinEdit2.focused());
    EXPECT_EQ(Rows(), (std::vector<Row>{{L"1", L"Fixed Disk", L"DISK1", L"5 GB", L"Waiting"},
                                        {L"2", L"Removable Disk", L"DISK1", L"2 GB", L"Waiting"},
                                        {L"3", L"Fixed Disk", L"disk1", L"5 GB", L"Waiting"}}));
}

TEST_F(ImageRequests, ExistingFileRefusesOnlyItsOwnType) {
    disk.AddFile(L"E:\\_iso\\DISK1.dsk", "");
    Request(Fixed(), L"DISK1", L"5");
    EXPECT_EQ(Messages(),
              std::vector<std::wstring>{L"Same filename is existed in the target folder."});
    EXPECT_EQ(page.spSkinEdit2.text(), L"");

    Request(Removable(), L"DISK1", L"5");
    EXPECT_EQ(list->rowCount(), 1);
}

TEST_F(ImageRequests, FatThirtyTwoTargetRefusesFourGigabytes) {
    struct Case {
        const wchar_t* folder;
        const wchar_t* size;
        bool listed;
    };
    const Case cases[] = {{L"F:\\_iso", L"4", false},
                          {L"F:\\_iso", L"3", true},
                          {L"E:\\_iso", L"4", true},
                          {L"Select Folder", L"4", true}};
    for (const Case& c : cases) {
        toolkit.messages().clear();
        page.spSkinButton11Click();
        page.JvDirectoryEdit3.setText(c.folder);
        Request(Fixed(), L"HD1", c.size);
        EXPECT_EQ(list->rowCount(), c.listed ? 1 : 0) << c.folder << " " << c.size;
        if (!c.listed) {
            EXPECT_EQ(Messages(),
                      std::vector<std::wstring>{L"4GB file can not be made in FAT32 file system."});
            EXPECT_TRUE(page.spSkinSpinEdit1.focused());
        }
    }
}

TEST_F(ImageRequests, RowsAreNumberedByCountAndClearStartsAgain) {
    Fixed().click();
    page.spSkinSpinEdit1.setText(L"1");
    for (int i = 1; i <= 11; ++i) {
        page.spSkinEdit2.type(L"HD" + std::to_wstring(i));
        page.spSkinButton7.click();
    }
    ASSERT_EQ(list->rowCount(), 11);
    EXPECT_EQ(list->caption(10), L"11");
    EXPECT_EQ(list->cell(10, 2), L"HD11");

    page.spSkinButton11.click();
    EXPECT_EQ(list->rowCount(), 0);
    Request(Floppy(), L"FD1");
    EXPECT_EQ(list->caption(0), L"1");
}

TEST_F(ImageRequests, NameFieldTakesAtMostEightCharacters) {
    page.spSkinEdit2.type(L"ABCDEFGHIJ");
    EXPECT_EQ(page.spSkinEdit2.text(), L"ABCDEFGH");
}

TEST_F(ImageRequests, MainGoesBackToTheMainPage) {
    page.spSkinButton6.click();
    EXPECT_EQ(pages, std::vector<int>{0});
}

} // namespace
} // namespace stowkeep::images
