#include "backup_ui_fixture.h"
#include "platform/forwarding_files.h"

namespace stowkeep::backup::testing {
namespace {

using namespace std::chrono_literals;

constexpr wchar_t kQuestion[] =
    L"If you want to overwrite, then click \"Yes\". Otherwise, click \"No\"";

class BackupRunTest : public BackupUiTest {
  protected:
    BackupRunTest() {
        files.AddFile(L"C:\\Data\\a.txt", "alpha");
        files.AddFile(L"C:\\Data\\sub\\b.txt", "beta");
        files.AddFile(L"C:\\Pics\\p.jpg", "picture");
        files.AddFile(L"C:\\Music\\m.mp3", "music");
    }
    void Backup() { page->spSkinButton1.click(); }
    std::optional<std::string> Copied(const std::wstring& path) const {
        return files.Content(path);
    }
    // The state every run leaves behind, whichever way it ended.
    void ExpectRunEnded() {
        EXPECT_EQ(state.BackupState, L"non");
        ASSERT_NE(CopyWindow(), nullptr);
        EXPECT_FALSE(CopyWindow()->window().shown());
        EXPECT_EQ(CopyWindow()->run().CopyControl, L"cancel");
        EXPECT_TRUE(mainWindow->enabled());
        EXPECT_FALSE(mainWindow->shown());
    }
};

TEST_F(BackupRunTest, FirstRunCopiesWithoutAQuestionAndLeavesEverythingAsBefore) {
    StoreJobs({{L"C:\\Data", L"E:\\backup"}});
    bool disabledWhileCounting = false;
    bool copyWindowShownWhileCounting = false;
    onCounterStart = [&] {
        disabledWhileCounting = !mainWindow->enabled();
        copyWindowShownWhileCounting = CopyWindow()->window().shown();
        EXPECT_EQ(state.BackupState, L"loding");
    };

    Backup();

    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(Copied(L"E:\\backup\\Data\\a.txt"), "alpha");
    EXPECT_EQ(Copied(L"E:\\backup\\Data\\sub\\b.txt"), "beta");
    EXPECT_EQ(countersStarted, 1);
    EXPECT_TRUE(disabledWhileCounting);
    EXPECT_TRUE(copyWindowShownWhileCounting);
    EXPECT_EQ(sleeps, (std::vector<std::chrono::milliseconds>{1000ms, 1000ms}));
    EXPECT_EQ(main1Clicks, 1);
    EXPECT_EQ(CopyWindow()->spSkinStdLabel1.text(),
              L"From : C:\\Data  ----->  To: E:\\backup\\Data");
    EXPECT_EQ(CopyWindow()->spSkinStdLabel2.text(), L"Error : 0");
    EXPECT_EQ(CopyWindow()->JvXPProgressBar1.position(), 100);
    ExpectRunEnded();
}

TEST_F(BackupRunTest, CopyWindowLayout) {
    StoreJobs({{L"C:\\Data", L"E:\\backup"}});
    Backup();
    TForm2& form = *CopyWindow();
    EXPECT_EQ(form.window().text(), L"Copying...");
    EXPECT_EQ(form.window().options().clientWidth, 576);
    EXPECT_EQ(form.window().options().clientHeight, 177);
    EXPECT_EQ(form.window().options().frame, ui::Frame::Dialog);
    EXPECT_EQ(form.window().options().centreOver, mainWindow.get());
    EXPECT_EQ(form.spSkinButton1.text(), L"Cancel");
    EXPECT_EQ(form.spSkinButton2.text(), L"Pause");
    EXPECT_EQ(form.spSkinButton1.bounds(), (ui::Rect{24, 133, 75, 25}));
    EXPECT_EQ(form.spSkinButton2.bounds(), (ui::Rect{478, 133, 75, 25}));
    EXPECT_EQ(form.JvXPProgressBar1.bounds(), (ui::Rect{24, 103, 529, 17}));
    EXPECT_EQ(form.spSkinStdLabel4.bounds().left, 24);
    EXPECT_EQ(form.spSkinStdLabel4.bounds().top, 77);
    EXPECT_EQ(form.spSkinStdLabel1.parent()->bounds(), (ui::Rect{24, 18, 529, 53}));
}

TEST_F(BackupRunTest, SecondRunAsksAndNoCopiesNothing) {
    StoreJobs({{L"C:\\Data", L"E:\\backup"}});
    Backup();
    files.AddFile(L"C:\\Data\\a.txt", "changed");
    toolkit.messages().answerNext(ui::Answer::No);

    Backup();

    ASSERT_EQ(toolkit.messages().shown().size(), 1u);
    const ui::RecordedMessage& question = toolkit.messages().shown()[0];
    EXPECT_EQ(question.text, kQuestion);
    EXPECT_EQ(question.caption, L"Warning");
    EXPECT_EQ(question.kind, ui::MessageKind::Warning);
    EXPECT_EQ(question.buttons, ui::MessageButtons::YesNo);
    EXPECT_EQ(Copied(L"E:\\backup\\Data\\a.txt"), "alpha");
    EXPECT_EQ(CopyWindow()->JvXPProgressBar1.position(), 100);
    ExpectRunEnded();
}

TEST_F(BackupRunTest, YesAtTheQuestionReplacesTheOlderCopy) {
    StoreJobs({{L"C:\\Data", L"E:\\backup"}});
    Backup();
    files.AddFile(L"C:\\Data\\a.txt", "changed");
    toolkit.messages().answerNext(ui::Answer::Yes);
    Backup();
    EXPECT_EQ(Texts(), std::vector<std::wstring>{kQuestion});
    EXPECT_EQ(Copied(L"E:\\backup\\Data\\a.txt"), "changed");
}

TEST_F(BackupRunTest, NoAtTheSecondOfThreeJobsLeavesTheThirdUncopied) {
    StoreJobs({{L"C:\\Data", L"E:\\backup"},
               {L"C:\\Pics", L"E:\\backup"},
               {L"C:\\Music", L"E:\\backup"}});
    files.AddFolder(L"E:\\backup\\Pics");
    toolkit.messages().answerNext(ui::Answer::No);

    Backup();

    EXPECT_EQ(Texts(), std::vector<std::wstring>{kQuestion});
    EXPECT_EQ(Copied(L"E:\\backup\\Data\\a.txt"), "alpha");
    EXPECT_EQ(Copied(L"E:\\backup\\Pics\\p.jpg"), std::nullopt);
    EXPECT_EQ(files.Attributes(L"E:\\backup\\Music"), platform::kNoAttributes);
    ExpectRunEnded();
}

// The folder-name rule decides where a job goes. A quote opened above the
// last folder, or a drive root, still gives a folder that is made in one
// level, so no job ends the run for its name.
TEST_F(BackupRunTest, EveryJobFolderIsMadeInOneLevel) {
    files.AddFile(L"C:\\Work\\ Old\\w.txt", "work");
    files.AddFile(L"C:\\Bob's\\Docs\\d.txt", "docs");
    files.AddFile(L"C:\\Users\\O'Brien\\Documents\\o.txt", "obrien");
    StoreJobs({{L"C:\\Work\\ Old", L"E:\\backup"},
               {L"C:\\Bob's\\Docs", L"E:\\backup\\"},
               {L"C:\\Users\\O'Brien\\Documents", L"E:\\backup"},
               {L"C:\\", L"E:\\backup"},
               {L"C:\\Data", L"E:\\backup"}});

    Backup();

    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(Copied(L"E:\\backup\\Old\\w.txt"), "work");
    EXPECT_EQ(Copied(L"E:\\backup\\Docs\\d.txt"), "docs");
    EXPECT_EQ(Copied(L"E:\\backup\\Documents\\o.txt"), "obrien");
    EXPECT_EQ(Copied(L"E:\\backup\\C\\Users\\O'Brien\\Documents\\o.txt"), "obrien");
    EXPECT_EQ(Copied(L"E:\\backup\\Data\\a.txt"), "alpha");
    EXPECT_EQ(CopyWindow()->JvXPProgressBar1.position(), 100);
    ExpectRunEnded();
}

TEST_F(BackupRunTest, BackupFolderThatCannotBeMadeEndsTheRunWithItsMessage) {
    StoreJobs({{L"C:\\Data", L"E:\\backup"}});
    files.InjectFault({platform::FakeFileSystem::Op::make_folder,
                       1,
                       platform::FileError::access_denied,
                       true,
                       {}});

    Backup();

    EXPECT_EQ(Texts(), std::vector<std::wstring>{L"Cannot make folder."});
    EXPECT_EQ(toolkit.messages().shown()[0].caption, kTitle);
    EXPECT_EQ(Copied(L"E:\\backup\\Data\\a.txt"), std::nullopt);
    EXPECT_EQ(CopyWindow()->JvXPProgressBar1.position(), 0);
    ExpectRunEnded();
}

TEST_F(BackupRunTest, MissingSourceStillGetsItsFolderAndTheRunGoesOn) {
    StoreJobs({{L"C:\\Gone", L"E:\\backup"}, {L"C:\\Data", L"E:\\backup"}});
    Backup();
    EXPECT_TRUE(Texts().empty());
    EXPECT_TRUE(platform::FolderExists(files, L"E:\\backup\\Gone"));
    EXPECT_EQ(Copied(L"E:\\backup\\Data\\a.txt"), "alpha");
}

// E:\stuff backed up into E:\stuff\in: the job's own output is not copied into itself.
TEST_F(BackupRunTest, DestinationInsideTheSourceIsPassedOver) {
    files.AddFile(L"E:\\stuff\\s.txt", "stuff");
    files.AddFolder(L"E:\\stuff\\in");
    StoreJobs({{L"E:\\stuff", L"E:\\stuff\\in"}});

    Backup();
    toolkit.messages().answerNext(ui::Answer::Yes);
    Backup();

    EXPECT_EQ(Copied(L"E:\\stuff\\in\\stuff\\s.txt"), "stuff");
    EXPECT_EQ(files.Attributes(L"E:\\stuff\\in\\stuff\\in\\stuff"), platform::kNoAttributes);
    EXPECT_EQ(CopyWindow()->spSkinStdLabel2.text(), L"Error : 0");
    ExpectRunEnded();
}

struct RefusedCase {
    const char* name;
    const wchar_t* deviceState;
    const wchar_t* message;
};

class BackupRefusedTest : public BackupRunTest,
                          public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(BackupRefusedTest, ShowsItsMessageAndHidesTheMainWindow) {
    StoreJobs({{L"C:\\Data", L"E:\\backup"}});
    state.DeviceState = GetParam().deviceState;
    mainWindow->show();

    Backup();

    EXPECT_EQ(Texts(), std::vector<std::wstring>{GetParam().message});
    EXPECT_FALSE(mainWindow->shown());
    EXPECT_EQ(CopyWindow(), nullptr);
    EXPECT_EQ(state.BackupState, L"non");
    EXPECT_EQ(Copied(L"E:\\backup\\Data\\a.txt"), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    DeviceStates, BackupRefusedTest,
    ::testing::Values(RefusedCase{"NoEnclosure", L"non", L"Please connect device."},
                      RefusedCase{"TwoEnclosures", L"over", L"Please connect only 1 device."}),
    CaseName<RefusedCase>);

// With no job there is nothing to back up: no message, no copy window, no
// waits; a never-shown main window becomes visible, a hidden one stays hidden.
TEST_F(BackupRunTest, NoStoredJobRunsNothing) {
    Backup();
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(CopyWindow(), nullptr);
    EXPECT_TRUE(sleeps.empty());
    EXPECT_EQ(state.BackupState, L"non");
    EXPECT_TRUE(mainWindow->shown());

    mainWindow->hide();
    Backup();
    EXPECT_FALSE(mainWindow->shown());
    EXPECT_EQ(CopyWindow(), nullptr);
}

struct ButtonCase {
    const wchar_t* before;
    bool pause; // which button: Pause, or Cancel
    const wchar_t* after;
};

class CopyButtonsTest : public BackupRunTest, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(CopyButtonsTest, SetCopyControl) {
    TForm2 form(*context);
    form.RunBackup(); // no job: ends at once, CopyControl "cancel"
    ASSERT_EQ(form.run().CopyControl, L"cancel");
    if (std::wstring(GetParam().before) == L"start") {
        form.spSkinButton2.click(); // cancel -> start
    }
    if (std::wstring(GetParam().before) == L"pause") {
        form.spSkinButton2.click();
        form.spSkinButton2.click();
    }
    ASSERT_EQ(form.run().CopyControl, GetParam().before);
    (GetParam().pause ? form.spSkinButton2 : form.spSkinButton1).click();
    EXPECT_EQ(form.run().CopyControl, GetParam().after);
    EXPECT_EQ(form.spSkinButton2.text(), L"Pause");
}

INSTANTIATE_TEST_SUITE_P(Buttons, CopyButtonsTest,
                         ::testing::Values(ButtonCase{L"start", true, L"pause"},
                                           ButtonCase{L"pause", true, L"start"},
                                           ButtonCase{L"cancel", true, L"start"},
                                           ButtonCase{L"start", false, L"cancel"},
                                           ButtonCase{L"pause", false, L"cancel"}));

// The in-memory file system, except that listing one folder throws.
class ThrowingList : public platform::ForwardingFileSystem {
  public:
    ThrowingList(platform::FileSystem& inner, std::wstring folder)
        : ForwardingFileSystem(inner), folder_(std::move(folder)) {}
    std::optional<std::vector<platform::FolderEntry>> List(const std::wstring& folder) override {
        if (folder == folder_) {
            throw std::runtime_error("listing failed");
        }
        return ForwardingFileSystem::List(folder);
    }

  private:
    std::wstring folder_;
};

// An unexpected failure in a job's top folder counts one error; the run goes
// on with the next job and ends the normal way.
TEST_F(BackupRunTest, UnexpectedFailureInAJobEndsTheRunTheNormalWay) {
    StoreJobs({{L"C:\\Data", L"E:\\backup"}, {L"C:\\Pics", L"E:\\backup"}});
    ThrowingList throwing(files, L"C:\\Data\\");
    BackupContext throwingContext{toolkit,        *mainWindow,
                                  *pages,         *messages,
                                  settings,       throwing,
                                  state,          context->main1Click,
                                  context->sleep, context->startFileCounter,
                                  totalFileCount};
    BackupCommand throwingCommand(throwingContext);

    throwingCommand.spSkinButton1Click();

    TForm2& form = *throwingCommand.copyWindow();
    EXPECT_EQ(form.spSkinStdLabel2.text(), L"Error : 1");
    EXPECT_EQ(Copied(L"E:\\backup\\Pics\\p.jpg"), "picture");
    EXPECT_EQ(state.BackupState, L"non");
    EXPECT_FALSE(form.window().shown());
    EXPECT_TRUE(mainWindow->enabled());
}

// While paused the window processes messages until Pause or Cancel changes
// CopyControl; otherwise the wait returns at once, processing nothing.
TEST_F(BackupRunTest, PausedWaitEndsWhenCancelIsClicked) {
    TForm2 form(*context);
    form.spSkinButton2.click(); // cancel -> start
    form.spSkinButton2.click(); // start -> pause
    toolkit.dispatcher().post([&] { form.spSkinButton1.click(); });

    form.WaitForMessages();

    EXPECT_EQ(form.run().CopyControl, L"cancel");
    int later = 0;
    toolkit.dispatcher().post([&] { ++later; });
    form.WaitForMessages();
    EXPECT_EQ(later, 0);
    toolkit.dispatcher().processPendingMessages();
    EXPECT_EQ(later, 1);
}

} // namespace
} // namespace stowkeep::backup::testing
