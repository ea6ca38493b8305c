#include "backup/one_touch_reaction.h"
#include "backup/one_touch_watcher.h"
#include "backup_ui_fixture.h"

#include <set>

namespace stowkeep::backup::testing {
namespace {

class OneTouchReactionTest : public BackupUiTest {
  protected:
    OneTouchReactionTest() { files.AddFile(L"C:\\Data\\a.txt", "alpha"); }
    void Press() {
        ReactToBackupButton(*context, [this] { command->spSkinButton1Click(); });
    }
    void SetAutomaticBackup(const wchar_t* value) {
        ASSERT_TRUE(settings.WriteText(L"Auto", L"BackUp", value));
    }
    bool BackedUp() const { return files.Content(L"E:\\backup\\Data\\a.txt").has_value(); }
};

TEST_F(OneTouchReactionTest, OnStartsTheBackupAsTheButtonDoes) {
    SetAutomaticBackup(L"on");
    StoreJobs({{L"C:\\Data", L"E:\\backup"}});
    Press();
    EXPECT_TRUE(BackedUp());
    ASSERT_NE(CopyWindow(), nullptr);
    EXPECT_EQ(CopyWindow()->JvXPProgressBar1.position(), 100);
    EXPECT_EQ(state.BackupState, L"non");
}

TEST_F(OneTouchReactionTest, OnWithoutEnclosureShowsTheCommandsMessage) {
    SetAutomaticBackup(L"on");
    StoreJobs({{L"C:\\Data", L"E:\\backup"}});
    state.DeviceState = L"non";
    Press();
    EXPECT_EQ(Texts(), std::vector<std::wstring>{L"Please connect device."});
    EXPECT_FALSE(BackedUp());
}

// The user works in another program when the enclosure's button is pressed:
// each window of the reaction (the main window, the copy window, the overwrite
// question) asks for the foreground and gets it, although a plain request
// would be refused.
class OneTouchForegroundTest : public OneTouchReactionTest {
  protected:
    // The windows that asked for the foreground during a press; each must get it.
    std::set<std::string> PressOverAnotherProgram() {
        StoreJobs({{L"C:\\Data", L"E:\\backup"}});
        files.AddFolder(L"E:\\backup\\Data");
        toolkit.desktop().userWorksElsewhere();
        Press();
        std::set<std::string> asked;
        for (const auto& request : toolkit.desktop().requests()) {
            EXPECT_TRUE(request.taken) << request.window;
            asked.insert(request.window);
        }
        EXPECT_TRUE(toolkit.desktop().flashed().empty());
        EXPECT_FALSE(toolkit.desktop().inputAttached());
        return asked;
    }
};

TEST_F(OneTouchForegroundTest, TheRunsWindowsAndQuestionComeToTheFront) {
    SetAutomaticBackup(L"on");
    EXPECT_EQ(PressOverAnotherProgram(),
              (std::set<std::string>{"TForm1", "TForm2", "spSkinMessage1"}));
    EXPECT_EQ(Texts().size(), 1u);
    // The run over, its windows hidden, the other program is in front again.
    EXPECT_TRUE(toolkit.desktop().otherProgramInFront());
}

TEST_F(OneTouchForegroundTest, TheBackupPageComesToTheFront) {
    SetAutomaticBackup(L"off");
    EXPECT_EQ(PressOverAnotherProgram(), std::set<std::string>{"TForm1"});
    EXPECT_EQ(toolkit.desktop().foregroundWindow(), mainWindow.get());
}

// Only "on", exactly, starts a backup; anything else shows the backup page.
class OneTouchOffTest : public OneTouchReactionTest,
                        public ::testing::WithParamInterface<const wchar_t*> {};

TEST_P(OneTouchOffTest, ShowsTheMainWindowOnTheBackupPage) {
    if (GetParam()) {
        SetAutomaticBackup(GetParam());
    }
    StoreJobs({{L"C:\\Data", L"E:\\backup"}});
    Press();
    EXPECT_EQ(main1Clicks, 1);
    EXPECT_TRUE(mainWindow->shown());
    EXPECT_EQ(pages->activePage(), 1);
    EXPECT_EQ(CopyWindow(), nullptr);
    EXPECT_FALSE(BackedUp());
    EXPECT_TRUE(Texts().empty());
}

INSTANTIATE_TEST_SUITE_P(Values, OneTouchOffTest,
                         ::testing::Values(L"off", static_cast<const wchar_t*>(nullptr), L"On",
                                           L""));

TEST_F(OneTouchReactionTest, PressDuringARunIsIgnored) {
    SetAutomaticBackup(L"on");
    StoreJobs({{L"C:\\Data", L"E:\\backup"}});
    state.BackupState = L"loding";
    Press();
    SetAutomaticBackup(L"off");
    Press();
    EXPECT_EQ(CopyWindow(), nullptr);
    EXPECT_EQ(main1Clicks, 0);
    EXPECT_FALSE(BackedUp());
    EXPECT_TRUE(Texts().empty());
}

// A press inside a run (the run processes messages) reaches the reaction while
// BackupState is "loding": the run in progress is not disturbed.
TEST_F(OneTouchReactionTest, PressWhileTheRunProcessesMessagesIsIgnored) {
    SetAutomaticBackup(L"on");
    StoreJobs({{L"C:\\Data", L"E:\\backup"}});
    int pressesSeen = 0;
    onCounterStart = [&] {
        toolkit.dispatcher().post([&] {
            ++pressesSeen;
            Press();
        });
    };
    Press();
    EXPECT_EQ(pressesSeen, 1);
    EXPECT_EQ(countersStarted, 1);
    EXPECT_TRUE(BackedUp());
}

TEST_F(OneTouchReactionTest, OnWithNoJobDoesNothingUntilAJobIsAdded) {
    SetAutomaticBackup(L"on");
    Press();
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(CopyWindow(), nullptr);
    EXPECT_EQ(state.BackupState, L"non");

    StoreJobs({{L"C:\\Data", L"E:\\backup"}});
    Press();
    EXPECT_TRUE(BackedUp());
}

// The watcher on its own thread and the reaction on the headless UI thread.
TEST_F(OneTouchReactionTest, WatcherHandsThePressToTheUiThread) {
    SetAutomaticBackup(L"on");
    StoreJobs({{L"C:\\Data", L"E:\\backup"}});
    ui::Signal reacted;
    std::atomic<int> asks{0};
    TThreadOTB watcher(
        state.ExitFlag,
        {[&]() -> int32_t { return ++asks == 2 ? 2 : 0; },
         [this](TThreadOTB::Task task) { toolkit.dispatcher().post(std::move(task)); },
         [&] {
             EXPECT_TRUE(toolkit.dispatcher().onUiThread());
             Press();
             reacted.set();
         }},
        std::chrono::milliseconds(1));
    toolkit.dispatcher().waitUntil(reacted);
    state.ExitFlag = 1;
    watcher.WaitFor();
    EXPECT_TRUE(BackedUp());
    EXPECT_EQ(state.BackupState, L"non");
}

// Exit from the tray menu while a one-touch backup runs: the run processes the
// menu's message while the watcher waits for the run, and Exit waits for the
// watcher. Neither wait blocks the other, and the run still ends the normal way.
TEST_F(OneTouchReactionTest, ExitDuringAOneTouchRunDoesNotDeadlock) {
    SetAutomaticBackup(L"on");
    StoreJobs({{L"C:\\Data", L"E:\\backup"}});
    std::unique_ptr<TThreadOTB> watcher;
    std::wstring stateAtExit;
    ui::Signal runEnded;
    onCounterStart = [&] {
        toolkit.dispatcher().post([&] {
            stateAtExit = state.BackupState;
            state.ExitFlag = 1;
            watcher->WaitFor();
        });
    };
    watcher = std::make_unique<TThreadOTB>(
        state.ExitFlag,
        TThreadOTB::Hooks{
            [] { return int32_t{2}; },
            [this](TThreadOTB::Task task) { toolkit.dispatcher().post(std::move(task)); },
            [&] {
                Press();
                runEnded.set();
            }},
        std::chrono::milliseconds(1));
    toolkit.dispatcher().waitUntil(runEnded);
    EXPECT_EQ(stateAtExit, L"loding");
    EXPECT_TRUE(BackedUp());
    EXPECT_EQ(state.BackupState, L"non");
    EXPECT_EQ(countersStarted, 1);
}

} // namespace
} // namespace stowkeep::backup::testing
