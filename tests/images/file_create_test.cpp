#include "image_page_fixture.h"

#include <future>
#include <thread>

namespace stowkeep::images {
namespace {

using Texts = std::vector<std::wstring>;
using FileCreate = ImagePageTest;

const std::string kZeroSector(512, '\0');

TEST_F(FileCreate, EmptyListPassesTheChecksAndCompletes) {
    page.spSkinButton8.click();
    EXPECT_EQ(wait.events, (Texts{L"show", L"close"}));
    ASSERT_EQ(toolkit.messages().shown().size(), 1u);
    EXPECT_EQ(toolkit.messages().shown()[0].text, L"File create is Completed.");
    EXPECT_EQ(toolkit.messages().shown()[0].kind, ui::MessageKind::Notice);
}

TEST_F(FileCreate, RefusesFoldersThatAreMissingOrNotOnAFixedDrive) {
    struct Case {
        const wchar_t* folder;
        const wchar_t* message;
    };
    const Case cases[] = {{L"Select Folder", L"Please select path to backup."},
                          {L"", L"Please select path to backup."},
                          {L"E:\\missing", L"Please select path to backup."},
                          {L"G:\\_iso", L"Please select folder in Local disk."}};
    for (const Case& c : cases) {
        toolkit.messages().clear();
        page.JvDirectoryEdit3.setText(L"E:\\_iso");
        Request(Floppy(), L"FD1");
        page.JvDirectoryEdit3.setText(c.folder);
        page.spSkinButton8.click();
        EXPECT_EQ(Messages(), Texts{c.message}) << c.folder;
        EXPECT_EQ(page.JvDirectoryEdit3.text(), L"Select Folder");
        EXPECT_EQ(list->cell(0, 4), L"Waiting");
        page.spSkinButton11Click();
    }
    EXPECT_TRUE(wait.events.empty());
    EXPECT_FALSE(files.Length(L"E:\\_iso\\FD1.ima"));
}

TEST_F(FileCreate, MakesEachFileAtItsExactLengthWithTheTypesExtension) {
    SetOption(L"Fast");
    Request(Floppy(), L"FD1");
    Request(Fixed(), L"HD1", L"20");
    Request(Removable(), L"RM1", L"2");
    page.spSkinButton8.click();

    EXPECT_EQ(files.Length(L"E:\\_iso\\FD1.ima"), 1474560u);
    EXPECT_EQ(files.Length(L"E:\\_iso\\HD1.dsk"), 21474836480u);
    EXPECT_EQ(files.Length(L"E:\\_iso\\RM1.rmd"), 2 * kGB);
    EXPECT_EQ(wait.statusesAtClose, (Texts{L"Completed", L"Completed", L"Completed"}));
    EXPECT_EQ(Messages(), Texts{L"File create is Completed."});
    EXPECT_EQ(list->rowCount(), 0);
}

TEST_F(FileCreate, FolderWithTrailingBackslashGetsNoSecondOne) {
    page.JvDirectoryEdit3.setText(L"E:\\_iso\\");
    Request(Floppy(), L"FD1");
    page.spSkinButton8.click();
    EXPECT_EQ(files.Length(L"E:\\_iso\\FD1.ima"), 1474560u);
    EXPECT_EQ(wait.statusesAtClose, Texts{L"Completed"});
}

TEST_F(FileCreate, SlowModeZeroesTheFirstAndLastSectorAndFastWritesNothing) {
    struct Case {
        const wchar_t* option; // nullptr: no settings file
        bool zeroed;
    };
    const Case cases[] = {{nullptr, true}, {L"Slow", true}, {L"Fast", false}, {L"fast", false}};
    for (const Case& c : cases) {
        if (c.option) {
            SetOption(c.option);
        }
        const std::wstring name = L"HD" + std::to_wstring(&c - cases);
        const std::wstring path = L"E:\\_iso\\" + name + L".dsk";
        Request(Fixed(), name, L"3");
        page.spSkinButton8.click();
        const auto expected =
            c.zeroed
                ? std::vector<SparseFiles::Write>{{0, kZeroSector}, {3 * kGB - 512, kZeroSector}}
                : std::vector<SparseFiles::Write>{};
        EXPECT_EQ(files.Writes(path), expected) << (c.option ? c.option : L"-");
        EXPECT_EQ(files.Length(path), 3 * kGB);
        EXPECT_EQ(wait.statusesAtClose.back(), L"Completed");
    }
    EXPECT_EQ(disk.OpenFileCount(), 0);
}

TEST_F(FileCreate, FreeSpaceMustExceedTheSize) {
    struct Case {
        std::uint64_t free;
        const wchar_t* status;
    };
    for (const Case c : {Case{kGB, L"Data Overflow"}, Case{kGB + 1, L"Completed"}}) {
        wait.statusesAtClose.clear();
        toolkit.messages().clear();
        disk.SetFreeBytes(L'E', c.free);
        Request(Fixed(), L"HD1", L"1");
        page.spSkinButton8.click();
        EXPECT_EQ(wait.statusesAtClose, Texts{c.status}) << c.free;
        EXPECT_EQ(files.Length(L"E:\\_iso\\HD1.dsk").has_value(), c.free > kGB);
        const bool completed = c.free > kGB;
        ASSERT_EQ(toolkit.messages().shown().size(), 1u);
        EXPECT_EQ(toolkit.messages().shown()[0].text,
                  completed ? L"File create is Completed." : L"File create is Not Completed.");
        EXPECT_EQ(toolkit.messages().shown()[0].kind,
                  completed ? ui::MessageKind::Notice : ui::MessageKind::Error);
    }
}

TEST_F(FileCreate, OverflowStopsTheRunAndLaterRowsStayWaiting) {
    disk.SetFreeBytes(L'E', 4 * kGB);
    Request(Fixed(), L"HD1", L"1");
    Request(Fixed(), L"HD2", L"6");
    Request(Fixed(), L"HD3", L"1");
    page.spSkinButton8.click();

    EXPECT_EQ(wait.statusesAtClose, (Texts{L"Completed", L"Data Overflow", L"Waiting"}));
    EXPECT_EQ(files.Length(L"E:\\_iso\\HD1.dsk"), kGB);
    EXPECT_FALSE(files.Length(L"E:\\_iso\\HD2.dsk"));
    EXPECT_FALSE(files.Length(L"E:\\_iso\\HD3.dsk"));
    EXPECT_EQ(Messages(), Texts{L"File create is Not Completed."});
}

TEST_F(FileCreate, FailedFreeSpaceQueryCountsAsOverflow) {
    disk.InjectFault(
        {platform::FakeFileSystem::Op::free_space, 1, platform::FileError::other, true, L""});
    Request(Floppy(), L"FD1");
    page.spSkinButton8.click();
    EXPECT_EQ(wait.statusesAtClose, Texts{L"Data Overflow"});
    EXPECT_FALSE(files.Length(L"E:\\_iso\\FD1.ima"));
}

TEST_F(FileCreate, FailedRowIsAnErrorAndTheRunGoesOn) {
    using Op = platform::FakeFileSystem::Op;
    disk.InjectFault({Op::open, 1, platform::FileError::access_denied, false, L"E:\\_iso\\A.dsk"});
    files.RefuseLength(L"E:\\_iso\\B.dsk");
    // The second opening of C.dsk is the zero-fill worker's.
    disk.InjectFault(
        {Op::open, 2, platform::FileError::sharing_violation, false, L"E:\\_iso\\C.dsk"});
    for (const wchar_t* name : {L"A", L"B", L"C", L"D"}) {
        Request(Fixed(), name, L"1");
    }
    page.spSkinButton8.click();

    EXPECT_EQ(wait.statusesAtClose, (Texts{L"Error", L"Error", L"Error", L"Completed"}));
    EXPECT_EQ(files.Length(L"E:\\_iso\\C.dsk"), kGB);
    EXPECT_EQ(files.Length(L"E:\\_iso\\D.dsk"), kGB);
    EXPECT_EQ(Messages(), Texts{L"File create is Not Completed."});
}

TEST_F(FileCreate, ReplacesAFileMadeAfterItsRowWasListed) {
    SetOption(L"Fast");
    Request(Fixed(), L"disk1", L"2");
    Request(Fixed(), L"DISK1", L"1");
    disk.AddFile(L"E:\\_iso\\DISK1.dsk", "old");
    page.spSkinButton8.click();

    EXPECT_EQ(wait.statusesAtClose, (Texts{L"Completed", L"Completed"}));
    EXPECT_EQ(files.Length(L"E:\\_iso\\disk1.dsk"), kGB);
    const auto entries = disk.List(L"E:\\_iso");
    ASSERT_TRUE(entries);
    EXPECT_EQ(entries->size(), 1u);
}

TEST_F(FileCreate, ControlsAreDisabledAndTheListHeldWhileTheRunWalksIt) {
    Request(Floppy(), L"FD1");
    Request(Floppy(), L"FD2");
    const std::vector<ui::Control*> controls = {
        &page.JvDirectoryEdit3,     &page.spSkinGroupBox3,      &page.spSkinCheckRadioBox5,
        &page.spSkinCheckRadioBox6, &page.spSkinCheckRadioBox7, &page.spSkinEdit2,
        &page.spSkinSpinEdit1,      &page.spSkinButton7,        &page.spSkinButton11,
        &page.spSkinButton8,        &page.spSkinButton6};
    std::vector<bool> enabledDuringRun;
    bool waitShownDuringRun = false;
    // Runs at the first message processing of the run, as a click on Virtual HDD would.
    toolkit.dispatcher().post([&] {
        for (ui::Control* control : controls) {
            enabledDuringRun.push_back(control->enabled());
        }
        waitShownDuringRun = wait.shown;
        EXPECT_TRUE(page.RunInProgress());
        page.spSkinButton11Click();
    });
    page.spSkinButton8.click();

    EXPECT_EQ(enabledDuringRun, std::vector<bool>(controls.size(), false));
    EXPECT_TRUE(waitShownDuringRun);
    EXPECT_EQ(wait.statusesAtClose, (Texts{L"Completed", L"Completed"}));
    EXPECT_EQ(files.Length(L"E:\\_iso\\FD2.ima"), 1474560u);
    for (ui::Control* control : controls) {
        EXPECT_TRUE(control->enabled()) << control->name();
    }
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_FALSE(page.RunInProgress());
}

// The zero-fill worker's opening hands work to the user-interface thread and waits for it,
// so the run can only go on if File Create keeps processing messages while it waits.
class HandOverFiles : public SparseFiles {
  public:
    HandOverFiles(platform::FakeFileSystem& disk, ui::Dispatcher& dispatcher,
                  std::function<void()> onUiThread)
        : SparseFiles(disk), dispatcher_(dispatcher), onUiThread_(std::move(onUiThread)) {}

    platform::FileHandle Open(const std::wstring& path, platform::Access access, unsigned share,
                              platform::Disposition disposition,
                              platform::FileError* error) override {
        if (std::this_thread::get_id() != uiThread_) {
            std::promise<void> ran;
            dispatcher_.post([&] {
                onUiThread_();
                ran.set_value();
            });
            ran.get_future().wait();
        }
        return SparseFiles::Open(path, access, share, disposition, error);
    }

  private:
    ui::Dispatcher& dispatcher_;
    std::function<void()> onUiThread_;
    std::thread::id uiThread_ = std::this_thread::get_id();
};

TEST_F(FileCreate, KeepsProcessingMessagesWhileTheWorkerRuns) {
    std::vector<std::wstring> seenByWorkerHandOver;
    HandOverFiles handOver(disk, toolkit.dispatcher(), [&] {
        seenByWorkerHandOver.push_back(list->cell(0, 4));
        seenByWorkerHandOver.push_back(wait.shown ? L"wait shown" : L"wait hidden");
    });
    ImagePage handOverPage(*window,
                           {handOver, settings, *messages, toolkit.dispatcher(), wait, [](int) {}});
    list = &handOverPage.spSkinListView2;
    handOverPage.JvDirectoryEdit3.setText(L"E:\\_iso");
    handOverPage.spSkinCheckRadioBox7.click();
    handOverPage.spSkinEdit2.type(L"HD1");
    handOverPage.spSkinSpinEdit1.setText(L"1");
    handOverPage.spSkinButton7.click();
    handOverPage.spSkinButton8.click();

    EXPECT_EQ(seenByWorkerHandOver, (Texts{L"Generating", L"wait shown"}));
    EXPECT_EQ(wait.statusesAtClose, Texts{L"Completed"});
    EXPECT_EQ(handOver.Writes(L"E:\\_iso\\HD1.dsk").size(), 2u);
}

} // namespace
} // namespace stowkeep::images
