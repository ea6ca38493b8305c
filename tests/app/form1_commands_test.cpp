#include "tests/app/app_world.h"

#include <gtest/gtest.h>

namespace stowkeep::app {
namespace {

using testing::AppWorld;
using testing::kOwnId;
using testing::kOwnSession;
using Ending = platform::fake::FakeProcesses::Ending;

std::vector<std::uint32_t> EndedIds(const AppWorld& world) {
    std::vector<std::uint32_t> ids;
    for (const Ending& e : world.processes.Ended()) {
        ids.push_back(e.id);
        EXPECT_EQ(e.exitCode, 0u);
    }
    return ids;
}

TEST(MainWindowCommands, EveryWayOfClosingOnlyHidesTheWindow) {
    struct Case {
        const char* what;
        void (*act)(AppWorld&);
    };
    const Case cases[] = {
        {"Close button", [](AppWorld& w) { w.Page0().get<ui::Button>("spSkinButton5").click(); }},
        {"title-bar close", [](AppWorld& w) { EXPECT_FALSE(w.form1->Window().close()); }},
        {"title-bar minimise", [](AppWorld& w) { w.form1->Window().minimise(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AppWorld world;
        world.Start();
        world.form1->Main1Click();
        world.form1->Pages().setActivePage(3);
        c.act(world);
        EXPECT_FALSE(world.form1->Window().shown());
        EXPECT_TRUE(world.form1->Tray().visible());
        EXPECT_EQ(world.form1->Pages().activePage(), 3); // contents kept
        EXPECT_TRUE(world.processes.Ended().empty());
    }
}

TEST(MainWindowCommands, MainFromMenuOrDoubleClickShowsPageZero) {
    for (bool doubleClick : {false, true}) {
        AppWorld world;
        world.Start();
        world.form1->Pages().setActivePage(3);
        if (doubleClick)
            world.form1->Tray().doubleClick();
        else
            EXPECT_TRUE(world.form1->Tray().clickMenuItem("Main1"));
        EXPECT_TRUE(world.form1->Window().shown());
        EXPECT_EQ(world.form1->Pages().activePage(), 0);
    }
}

TEST(MainWindowCommands, ExitEndsOnlyOurOwnSessionsInstancesAndOurselfLast) {
    AppWorld world;
    world.processes.Add({200, kOwnSession, L"Stowkeep(KD-RX710).exe"});
    world.processes.Add({300, 2, L"Stowkeep(KD-RX710).exe"}); // another user's
    world.processes.Add({400, std::nullopt, L"Stowkeep(KD-RX710).exe"});
    world.processes.Add({500, kOwnSession, L"stowkeep(kd-rx710).exe"});
    world.processes.Add({600, kOwnSession, L"explorer.exe"});
    world.Start();
    world.form1->Tray().clickMenuItem("Exit1");
    EXPECT_EQ(world.form1->State().ExitFlag.load(), 1);
    EXPECT_EQ(EndedIds(world), (std::vector<std::uint32_t>{200, kOwnId}));
}

TEST(MainWindowCommands, ARenamedProgramSurvivesExitAndEndsAtTheNextClose) {
    AppWorld world(L"Stowkeep.exe");
    world.PutLibrary();
    world.Start();
    world.form1->Exit1Click();
    EXPECT_TRUE(world.processes.Ended().empty());
    EXPECT_TRUE(world.form1->Window().close());
    EXPECT_EQ(world.toolkit.run(), 0); // the close ended the message loop
    world.form1.reset();
    EXPECT_EQ(world.libraryCalls, (std::vector<std::string>{"DllSet", "DllEnd"}));
}

// The program ends itself, so its icon must leave the notification area first,
// whether Exit comes from the menu or from the end of the session. A renamed
// program lives on after Exit, and keeps its icon.
TEST(MainWindowCommands, TheIconGoesBeforeTheProgramEndsItself) {
    struct Case {
        const char* what;
        const wchar_t* exeName;
        void (*act)(AppWorld&);
        bool ends;
    };
    const Case cases[] = {
        {"menu Exit", L"Stowkeep(KD-RX710).exe",
         [](AppWorld& w) { w.form1->Tray().clickMenuItem("Exit1"); }, true},
        {"session end", L"Stowkeep(KD-RX710).exe",
         [](AppWorld& w) {
             w.form1->Window().deliver({ui::messages::EndSession, 1, 0});
         },
         true},
        {"renamed program's Exit", L"Stowkeep.exe", [](AppWorld& w) { w.form1->Exit1Click(); },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AppWorld world(c.exeName);
        world.Start();
        const auto& shell = world.toolkit.notificationArea();
        ASSERT_EQ(shell.icons(), std::vector<std::wstring>{L"Stowkeep(KD-RX710)"});
        c.act(world);
        EXPECT_EQ(world.processes.Ended().size(), c.ends ? 1u : 0u);
        EXPECT_EQ(shell.icons().empty(), c.ends);
    }
}

// Explorer restarted: the icon is back, with its tooltip and its menu.
TEST(MainWindowCommands, TheIconComesBackAfterTheShellRestarts) {
    AppWorld world;
    world.Start();
    world.toolkit.notificationArea().restart();
    EXPECT_EQ(world.toolkit.notificationArea().icons(),
              std::vector<std::wstring>{L"Stowkeep(KD-RX710)"});
    EXPECT_TRUE(world.form1->Tray().clickMenuItem("Main1"));
    EXPECT_TRUE(world.form1->Window().shown());
}

TEST(MainWindowCommands, SessionEndMessages) {
    struct Case {
        const char* what;
        ui::RawMessage message;
        std::optional<std::intptr_t> answer;
        bool exits;
    };
    const Case cases[] = {
        {"may Windows end the session", {ui::messages::QueryEndSession, 0, 0}, 1, false},
        {"session goes on after all", {ui::messages::EndSession, 0, 0}, std::nullopt, false},
        {"session ends", {ui::messages::EndSession, 1, 0}, std::nullopt, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AppWorld world;
        world.Start();
        EXPECT_EQ(world.form1->Window().deliver(c.message), c.answer);
        EXPECT_EQ(world.form1->State().ExitFlag.load(), c.exits ? 1 : 0);
        EXPECT_EQ(world.processes.Ended().size(), c.exits ? 1u : 0u);
    }
}

TEST(MainWindowCommands, MenuCommandIdsReachTheMenuItems) {
    constexpr unsigned kWmCommand = 0x0111;
    AppWorld world;
    world.Start();
    auto& window = world.form1->Window();

    EXPECT_EQ(window.deliver({kWmCommand, commands::About, 0}), 0);
    EXPECT_TRUE(world.form3->Window().shown());
    EXPECT_EQ(window.deliver({kWmCommand, commands::Main, 0}), 0);
    EXPECT_TRUE(window.shown());
    // A control's notification carries its window; it is no menu command.
    EXPECT_EQ(window.deliver({kWmCommand, commands::Exit, 0x1234}), std::nullopt);
    EXPECT_EQ(window.deliver({kWmCommand, 0x7199, 0}), std::nullopt);
    EXPECT_TRUE(world.processes.Ended().empty());
    EXPECT_EQ(window.deliver({kWmCommand, commands::Exit, 0}), 0);
    EXPECT_EQ(EndedIds(world), (std::vector<std::uint32_t>{kOwnId}));
}

} // namespace
} // namespace stowkeep::app
