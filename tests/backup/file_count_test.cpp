// The file counter: what it counts, which sources it reads, and its thread
// beside a running copy.

#include "backup/file_count.h"
#include "copy_engine_fixture.h"
#include "platform/fake/fake_profile_files.h"

#include <future>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <thread>

namespace stowkeep::backup::testing {
namespace {

using platform::FakeFileSystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::wstring kSettingsPath = L"C:\\Stowkeep\\set.ini";

struct CounterFixture {
    CounterFixture() {
        files.AddVolume(L'C', 1ull << 30);
        files.AddVolume(L'E', 1ull << 30);
        profile.AddFolder(L"C:\\Stowkeep");
    }
    settings::SettingsFile Settings() { return settings::SettingsFile(profile, kSettingsPath); }
    void Store(const wchar_t* section, const wchar_t* key, const std::wstring& value) {
        ASSERT_TRUE(Settings().WriteText(section, key, value));
    }

    FakeFileSystem files;
    platform::fake::FakeProfileFiles profile;
};

TEST(CountFiles, CountsFilesOfTheWholeTreeButNoFoldersOrLinks) {
    CounterFixture f;
    for (const wchar_t* path :
         {L"C:\\S\\1", L"C:\\S\\2", L"C:\\S\\3", L"C:\\S\\Sub\\4", L"C:\\S\\Sub\\Deeper\\5"}) {
        f.files.AddFile(path, "x", platform::kAttrHidden);
    }
    f.files.AddFolder(L"C:\\S\\Empty");
    f.files.AddJunction(L"C:\\S\\Sub\\Loop", L"C:\\S");

    EXPECT_EQ(CountFiles(f.files, L"C:\\S"), 5);
    EXPECT_EQ(CountFiles(f.files, L"C:\\S\\"), 5);
    EXPECT_EQ(CountFiles(f.files, L"C:\\S\\Empty"), 0);
    EXPECT_EQ(CountFiles(f.files, L"C:\\Missing"), 0);
    f.files.InjectFault(
        {FakeFileSystem::Op::list, 1, platform::FileError::access_denied, false, L""});
    EXPECT_EQ(CountFiles(f.files, L"C:\\S"), 0);
}

TEST(ReadBackupSources, ReadsSourcesUpToNumStoppingAtTheFirstEmptyOne) {
    struct Case {
        const wchar_t* num;
        std::vector<std::wstring> sources; // keys 1, 2, ... ("" leaves a key empty)
        std::vector<std::wstring> expected;
    };
    const Case cases[] = {
        {L"", {L"C:\\A"}, {}},
        {L"2", {L"C:\\A", L"C:\\B", L"C:\\C"}, {L"C:\\A", L"C:\\B"}},
        {L"3", {L"C:\\A", L"", L"C:\\C"}, {L"C:\\A"}},
        {L"x", {L"C:\\A"}, {}},
    };
    for (const Case& c : cases) {
        CounterFixture f;
        f.Store(L"BackupSource", L"num", c.num);
        for (std::size_t k = 0; k < c.sources.size(); ++k) {
            f.Store(L"BackupSource", std::to_wstring(k + 1).c_str(), c.sources[k]);
        }
        std::vector<std::wstring> sources;
        for (const CountedSource& counted : ReadBackupSources(f.Settings())) {
            sources.push_back(counted.source);
        }
        EXPECT_EQ(sources, c.expected) << c.num;
    }
}

// Each source comes with the folder its job copies into, as the run names it;
// a job without a destination is counted whole.
TEST(ReadBackupSources, GivesEachSourceItsJobFolder) {
    CounterFixture f;
    f.Store(L"BackupSource", L"num", L"3");
    f.Store(L"BackupSource", L"1", L"E:\\stuff");
    f.Store(L"BackupDestination", L"1", L"E:\\stuff\\in");
    f.Store(L"BackupSource", L"2", L"C:\\Users\\O'Brien\\Music");
    f.Store(L"BackupDestination", L"2", L"E:\\backup\\");
    f.Store(L"BackupSource", L"3", L"C:\\A");

    EXPECT_THAT(ReadBackupSources(f.Settings()),
                ElementsAre(CountedSource{L"E:\\stuff", L"E:\\stuff\\in\\stuff"},
                            CountedSource{L"C:\\Users\\O'Brien\\Music", L"E:\\backup\\Music"},
                            CountedSource{L"C:\\A", L""}));
}

TEST(TFileNumCheckThread, StoresTheSumOverAllSourcesOnceAtItsEnd) {
    CounterFixture f;
    f.files.AddFile(L"C:\\A\\1", "");
    f.files.AddFile(L"C:\\A\\Sub\\2", "");
    f.files.AddFile(L"C:\\B\\3", "");
    f.Store(L"BackupSource", L"num", L"3");
    f.Store(L"BackupSource", L"1", L"C:\\A");
    f.Store(L"BackupSource", L"2", L"C:\\Missing");
    f.Store(L"BackupSource", L"3", L"C:\\B");
    std::atomic<std::int32_t> total{77};

    TFileNumCheckThread(f.files, f.Settings(), total).Execute();
    EXPECT_EQ(total.load(), 3);

    f.Store(L"BackupSource", L"num", L"0");
    TFileNumCheckThread(f.files, f.Settings(), total).Execute();
    EXPECT_EQ(total.load(), 0);
}

// A job backed up into a folder inside its own source: the counter passes over
// that folder as the copy engine does, so the bar reaches 100 with the last file.
TEST(TFileNumCheckThread, PassesOverTheJobsOwnDestinationInsideItsSource) {
    CounterFixture f;
    f.files.AddFile(L"E:\\stuff\\s1", "");
    f.files.AddFile(L"E:\\stuff\\s2", "");
    f.files.AddFile(L"E:\\stuff\\in\\stuff\\s1", ""); // the copy of an earlier run
    f.files.AddFile(L"E:\\stuff\\in\\stuff\\s2", "");
    f.Store(L"BackupSource", L"num", L"1");
    f.Store(L"BackupSource", L"1", L"E:\\stuff");
    f.Store(L"BackupDestination", L"1", L"E:\\stuff\\in");
    std::atomic<std::int32_t> total{0};

    TFileNumCheckThread(f.files, f.Settings(), total).Execute();

    EXPECT_EQ(total.load(), 2);
}

// Runs under ThreadSanitizer: the counter walks the tree on its own thread
// while the copy engine copies it and reads the total.
TEST(TFileNumCheckThread, CountsOnItsOwnThreadBesideARunningCopy) {
    CounterFixture f;
    for (int i = 0; i < 200; ++i) {
        f.files.AddFile(L"C:\\A\\" + std::to_wstring(i % 7) + L"\\" + std::to_wstring(i),
                        std::string(static_cast<std::size_t>(i) * 10, 'z'));
    }
    f.files.AddFolder(L"E:\\backup\\A");
    f.Store(L"BackupSource", L"num", L"1");
    f.Store(L"BackupSource", L"1", L"C:\\A");
    std::promise<void> finished;

    TFileNumCheckThread::Start(f.files, f.Settings(), [&finished] { finished.set_value(); });
    CopyRunState run{kCopyStart};
    ScriptedCopyWindow window(run);
    const bool copied =
        CopyEngine(f.files, run, window, TotalFileCount).CopyFolder(L"C:\\A", L"E:\\backup\\A");
    finished.get_future().wait();

    EXPECT_TRUE(copied);
    EXPECT_EQ(run.CopiedCount, 200);
    EXPECT_EQ(TotalFileCount.load(), 200);
    EXPECT_EQ(f.files.Content(L"E:\\backup\\A\\6\\195"), std::string(1950, 'z'));
}

} // namespace
} // namespace stowkeep::backup::testing
