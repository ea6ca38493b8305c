#include "app/program_entry.h"
#include "platform/fake/fake_named_mutexes.h"
#include "tests/app/app_world.h"

#include <gtest/gtest.h>

namespace stowkeep::app {
namespace {

using testing::AppWorld;
using Texts = std::vector<std::wstring>;

struct Entry {
    AppWorld world;
    platform::fake::FakeNamedMutexes mutexes;
    Texts plainNotices;

    int Run() {
        return RunProgram(
            mutexes, [this](const std::wstring& text) { plainNotices.push_back(text); },
            world.Services());
    }
};

TEST(ProgramEntry, FirstInstanceHoldsTheMutexWhileItsWindowsRun) {
    Entry entry;
    entry.world.PutLibrary();
    int handlesWhileRunning = -1;
    entry.world.toolkit.dispatcher().post([&] {
        handlesWhileRunning = entry.mutexes.OpenHandles(L"Mutex_Velko");
        entry.world.toolkit.quit(7);
    });
    EXPECT_EQ(entry.Run(), 7);
    EXPECT_EQ(handlesWhileRunning, 1);
    EXPECT_EQ(entry.mutexes.OpenHandles(L"Mutex_Velko"), 0);
    EXPECT_TRUE(entry.plainNotices.empty());
    // The windows are gone with the loop: the library was stopped and released.
    EXPECT_EQ(entry.world.libraryCalls, (std::vector<std::string>{"DllSet", "DllEnd"}));
    EXPECT_EQ(entry.world.libraries.LoadCount(testing::kLibraryPath), 0);
}

TEST(ProgramEntry, ASecondStartSaysSoAndCreatesNothing) {
    for (bool refused : {false, true}) {
        SCOPED_TRACE(refused ? "system gives no handle" : "mutex exists");
        Entry entry;
        entry.world.PutLibrary();
        auto first = entry.mutexes.Create(L"Mutex_Velko");
        entry.mutexes.SetRefusesCreation(refused);
        EXPECT_EQ(entry.Run(), 0);
        EXPECT_EQ(entry.plainNotices, (Texts{L"The Stowkeep is running!"}));
        EXPECT_EQ(entry.world.libraries.LoadCount(testing::kLibraryPath), 0);
        EXPECT_TRUE(entry.world.libraryCalls.empty());
        EXPECT_TRUE(entry.world.toolkit.messages().shown().empty()); // not the skinned box
        EXPECT_EQ(entry.mutexes.OpenHandles(L"Mutex_Velko"), 1);     // the first one's
    }
}

} // namespace
} // namespace stowkeep::app
