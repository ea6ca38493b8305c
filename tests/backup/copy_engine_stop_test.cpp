// How a copy ends early (no space, Cancel), Pause, progress and message
// processing during large files.

#include "copy_engine_fixture.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace stowkeep::backup::testing {
namespace {

using platform::FakeFileSystem;
using platform::FileError;
using ::testing::Each;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Le;

const std::wstring kTemporary = L"E:\\backup\\Data\\~sk1"; // of a.bin

// C:\Data holds a.bin of size bytes and b.txt; an older copy of a.bin exists.
void AddTree(CopyFixture& f, std::size_t size) {
    f.files.AddFile(L"C:\\Data\\a.bin", std::string(size, 'a'));
    f.files.AddFile(L"C:\\Data\\b.txt", "b");
    f.files.AddFile(L"E:\\backup\\Data\\a.bin", "older copy");
}

// After a stop: false, the older copy as it was, nothing after it copied,
// no temporary file and no open file left.
void ExpectStoppedAtA(CopyFixture& f, bool result) {
    EXPECT_FALSE(result);
    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\a.bin"), "older copy");
    EXPECT_THAT(f.Names(L"E:\\backup\\Data"), ElementsAre(L"a.bin"));
    EXPECT_EQ(f.run.CopiedCount, 0);
    EXPECT_EQ(f.run.ErrorCount, 0);
    EXPECT_EQ(f.files.OpenFileCount(), 0);
}

TEST(CopyFolderSpace, FileAsLargeAsTheFreeSpaceStopsTheRun) {
    CopyFixture f;
    AddTree(f, 1000);
    f.files.SetFreeBytes(L'E', 1000);
    ExpectStoppedAtA(f, f.Copy(L"C:\\Data", L"E:\\backup\\Data"));
    EXPECT_THAT(f.window.messages, ElementsAre(L"There is no space left."));
}

TEST(CopyFolderSpace, FileOneByteSmallerThanTheFreeSpaceIsCopied) {
    CopyFixture f;
    AddTree(f, 1000);
    f.files.Remove(L"E:\\backup\\Data\\a.bin");
    f.files.SetFreeBytes(L'E', 1001);
    EXPECT_FALSE(f.Copy(L"C:\\Data", L"E:\\backup\\Data"));
    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\a.bin"), std::string(1000, 'a'));
    // The one free byte left is not greater than b.txt's size.
    EXPECT_THAT(f.window.messages, ElementsAre(L"There is no space left."));
    EXPECT_EQ(f.run.CopiedCount, 1);
}

TEST(CopyFolderSpace, DiskFillingDuringTheFileOrUnknownFreeSpaceStopsTheRun) {
    const FakeFileSystem::Fault faults[] = {
        {FakeFileSystem::Op::write, 3, FileError::disk_full, false, kTemporary},
        {FakeFileSystem::Op::free_space, 1, FileError::other, false, L""},
    };
    for (const auto& fault : faults) {
        CopyFixture f;
        AddTree(f, 5000);
        f.files.InjectFault(fault);
        ExpectStoppedAtA(f, f.Copy(L"C:\\Data", L"E:\\backup\\Data"));
        EXPECT_THAT(f.window.messages, ElementsAre(L"There is no space left."));
    }
}

// The Win32 side writes out what it holds back at the flush, where a full
// disk then shows.
TEST(CopyFolderSpace, DiskFoundFullByTheFlushStopsTheRun) {
    CopyFixture f;
    AddTree(f, 5000);
    f.files.SetVolumeFlush(L'E', false);
    f.files.InjectFault({FakeFileSystem::Op::flush, 1, FileError::disk_full, false, kTemporary});
    ExpectStoppedAtA(f, f.Copy(L"C:\\Data", L"E:\\backup\\Data"));
    EXPECT_THAT(f.window.messages, ElementsAre(L"There is no space left."));
}

TEST(CopyFolderControl, CancelInTheMiddleOfAFileKeepsTheOlderCopy) {
    CopyFixture f;
    AddTree(f, 100 * 1024);
    f.clockStep = std::chrono::milliseconds(40); // messages at every look
    std::size_t writtenAtCancel = 0;
    f.window.onProcess = [&](int call) {
        if (call == 50) {
            writtenAtCancel = f.files.Content(kTemporary).value_or("").size();
            f.window.ClickCancel();
        }
    };
    ExpectStoppedAtA(f, f.Copy(L"C:\\Data", L"E:\\backup\\Data"));
    EXPECT_GT(writtenAtCancel, 0u);
    EXPECT_LT(writtenAtCancel, 100u * 1024u);
    EXPECT_THAT(f.window.messages, IsEmpty());
}

TEST(CopyFolderControl, PauseWaitsForMessagesWithoutCopyingThenCancelStops) {
    CopyFixture f;
    AddTree(f, 100 * 1024);
    f.clockStep = std::chrono::milliseconds(40);
    std::size_t writtenAtPause = 0;
    int processCallsAtPause = 0;
    f.window.onProcess = [&](int call) {
        if (call == 50) {
            writtenAtPause = f.files.Content(kTemporary).value_or("").size();
            processCallsAtPause = call;
            f.window.ClickPause();
        }
    };
    f.window.onWait = [&](int call) {
        EXPECT_EQ(f.files.Content(kTemporary).value_or("").size(), writtenAtPause);
        if (call == 3) {
            f.window.ClickCancel();
        }
    };
    ExpectStoppedAtA(f, f.Copy(L"C:\\Data", L"E:\\backup\\Data"));
    EXPECT_GT(writtenAtPause, 0u);
    EXPECT_EQ(f.window.waitCalls, 3);
    // Each message processed while paused followed a wait for one.
    EXPECT_EQ(f.window.processCalls - processCallsAtPause, 3);
}

TEST(CopyFolderControl, RunGoesOnAfterPauseAndResumeOrAfterCancelThenPause) {
    for (const bool cancelFirst : {false, true}) {
        CopyFixture f;
        AddTree(f, 20 * 1024);
        f.clockStep = std::chrono::milliseconds(40);
        f.window.onProcess = [&](int call) {
            if (call == 10) {
                // Two clicks handled in one pass over the messages.
                if (cancelFirst) {
                    f.window.ClickCancel();
                    f.window.ClickPause();
                } else {
                    f.window.ClickPause();
                }
            }
        };
        f.window.onWait = [&](int) { f.window.ClickPause(); };
        EXPECT_TRUE(f.Copy(L"C:\\Data", L"E:\\backup\\Data"));
        EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\a.bin"), std::string(20 * 1024, 'a'));
        EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\b.txt"), "b");
        EXPECT_EQ(f.window.waitCalls, cancelFirst ? 0 : 1);
    }
}

TEST(CopyFolderControl, MessagesAreProcessedByTimeDuringALargeFile) {
    CopyFixture f;
    f.files.AddFile(L"C:\\Data\\big.bin", std::string(300 * 1024, 'x'));
    f.files.AddFolder(L"E:\\backup\\Data");
    f.clockStep = std::chrono::milliseconds(1); // one block per millisecond
    EXPECT_TRUE(f.Copy(L"C:\\Data", L"E:\\backup\\Data"));
    // 300 blocks in about 300 ms: messages about every 30 ms, not per block.
    EXPECT_GE(f.window.processCalls, 5);
    EXPECT_LE(f.window.processCalls, 15);
}

// The bar follows CopiedCount at the message cadence: here after each batch
// of 10 files is in place.
TEST(CopyFolderProgress, ShareOfTheTotalClampedAt100AndZeroWhileUnknown) {
    struct Case {
        std::int32_t total;
        int first;
        int last;
    };
    for (const Case c : {Case{100, 10, 100}, Case{0, 0, 0}, Case{40, 25, 100}}) {
        CopyFixture f;
        for (int i = 0; i < 100; ++i) {
            f.files.AddFile(L"C:\\Data\\f" + std::to_wstring(1000 + i), "x");
        }
        f.files.AddFolder(L"E:\\backup\\Data");
        f.total = c.total;
        f.batching.files = 10;
        f.clockStep = std::chrono::milliseconds(40); // messages at every look
        EXPECT_TRUE(f.Copy(L"C:\\Data", L"E:\\backup\\Data"));
        ASSERT_EQ(f.window.progress.size(), 10u);
        EXPECT_EQ(f.window.progress.front(), c.first);
        EXPECT_EQ(f.window.progress.back(), c.last);
        EXPECT_THAT(f.window.progress, Each(Le(100)));
        EXPECT_TRUE(std::is_sorted(f.window.progress.begin(), f.window.progress.end()));
    }
}

} // namespace
} // namespace stowkeep::backup::testing
