// Every way a run can end early, at every call on the files: a cancel, a full
// disk, a failing read or write, an unplug, and a process that is simply gone
// (its state dropped without clean-up), each followed by a power cut. Every
// destination file must then be its older copy or its complete new copy, and
// one more full run must leave the tree exact with no temporary file.

#include "backup/copy_engine_walk.h"
#include "copy_engine_fixture.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace stowkeep::backup::testing {
namespace {

using platform::FakeFileSystem;
using platform::FileError;

const std::wstring kSource = L"C:\\Data";
const std::wstring kDestination = L"E:\\backup\\Data";

// Relative path -> content.
const std::map<std::wstring, std::string> kNew = {
    {L"a.txt", std::string(3000, 'a')},
    {L"b.txt", ""},
    {L"c.bin", std::string(1500, 'c')},
    {L"g.txt", "g"},
    {L"Sub\\d.txt", std::string(2500, 'd')},
    {L"Sub\\f.txt", std::string(2048, 'f')},
    {L"Sub\\Deeper\\e.txt", std::string(100, 'e')},
};
const std::map<std::wstring, std::string> kOlder = {
    {L"a.txt", "older a"},
    {L"g.txt", "older g"},
    {L"Sub\\d.txt", "older d"},
    {L"Sub\\Deeper\\e.txt", "older e"},
};

struct Stop {
    const char* name;
    // Arranges the stop at the n-th occasion (counted from 1).
    std::function<void(CopyFixture&, int n)> arrange;
};

FakeFileSystem::Fault Under(const wchar_t* root, FakeFileSystem::Op op, int n, FileError error,
                            bool persist, bool unplug = false) {
    return {op, n, error, persist, root, true, unplug};
}

const Stop kStops[] = {
    {"cancel",
     [](CopyFixture& f, int n) {
         f.window.onProcess = [&f, n](int call) {
             if (call == n) {
                 f.window.ClickCancel();
             }
         };
     }},
    {"full disk",
     [](CopyFixture& f, int n) {
         f.files.InjectFault(
             Under(L"E:", FakeFileSystem::Op::write, n, FileError::disk_full, true));
     }},
    {"failing read",
     [](CopyFixture& f, int n) {
         f.files.InjectFault(Under(L"C:", FakeFileSystem::Op::read, n, FileError::io_error, false));
     }},
    {"failing write",
     [](CopyFixture& f, int n) {
         f.files.InjectFault(
             Under(L"E:", FakeFileSystem::Op::write, n, FileError::io_error, false));
     }},
    {"unplug",
     [](CopyFixture& f, int n) {
         f.files.InjectFault(
             Under(L"E:", FakeFileSystem::Op::any, n, FileError::not_found, false, true));
     }},
    {"abandoned process",
     [](CopyFixture& f, int n) {
         f.files.InjectFault({FakeFileSystem::Op::any, n, FileError::io_error, true, L""});
     }},
};

void Arrange(CopyFixture& f, bool volumeFlush) {
    for (const auto& [path, content] : kNew) {
        f.files.AddFile(kSource + L"\\" + path, content);
    }
    for (const auto& [path, content] : kOlder) {
        f.files.AddFile(kDestination + L"\\" + path, content);
    }
    f.files.AddFolder(kDestination);
    f.files.SetVolumeFlush(L'E', volumeFlush);
    f.batching.files = 2;
    f.clockStep = std::chrono::milliseconds(40); // messages at every look
}

// Temporaries anywhere under folder.
int Temporaries(CopyFixture& f, const std::wstring& folder) {
    int count = 0;
    for (const auto& entry : f.files.List(folder).value_or(std::vector<platform::FolderEntry>{})) {
        if (entry.IsFolder()) {
            count += Temporaries(f, folder + L"\\" + entry.name);
        } else if (IsTemporaryName(entry.name)) {
            ++count;
        }
    }
    return count;
}

// Returns the calls and message rounds of a run that is not stopped.
std::pair<int, int> CleanRun(bool volumeFlush) {
    CopyFixture f;
    Arrange(f, volumeFlush);
    const int before = f.files.CallCount();
    EXPECT_TRUE(f.Copy(kSource, kDestination));
    return {f.files.CallCount() - before, f.window.processCalls};
}

TEST(CopyFaultMatrix, EveryStopLeavesOlderOrCompleteCopiesAndTheNextRunMendsAll) {
    int stopPoints = 0;
    for (const bool volumeFlush : {true, false}) {
        const auto [calls, rounds] = CleanRun(volumeFlush);
        for (const Stop& stop : kStops) {
            const int points = std::string(stop.name) == "cancel" ? rounds : calls;
            for (int n = 1; n <= points; ++n) {
                SCOPED_TRACE(std::string(stop.name) + " at " + std::to_string(n) +
                             (volumeFlush ? ", volume flush" : ", file flushes"));
                CopyFixture f;
                Arrange(f, volumeFlush);
                stop.arrange(f, n);
                f.Copy(kSource, kDestination);
                f.window.onProcess = nullptr;
                f.files.ClearFaults();
                f.files.PowerCut();
                f.files.Plug(L'E');
                ++stopPoints;
                for (const auto& [path, content] : kNew) {
                    const auto now = f.files.Content(kDestination + L"\\" + path);
                    const auto older = kOlder.find(path);
                    const bool asBefore = older == kOlder.end() ? !now : now == older->second;
                    ASSERT_TRUE(asBefore || now == content) << "file " << path.size();
                }
                f.run.CopyControl = kCopyStart;
                ASSERT_TRUE(f.Copy(kSource, kDestination));
                f.files.PowerCut();
                for (const auto& [path, content] : kNew) {
                    ASSERT_EQ(f.files.Content(kDestination + L"\\" + path), content);
                }
                ASSERT_EQ(Temporaries(f, kDestination), 0);
                ASSERT_EQ(f.files.OpenFileCount(), 0);
            }
        }
    }
    RecordProperty("StopPoints", stopPoints);
    std::printf("stop points covered: %d\n", stopPoints);
}

} // namespace
} // namespace stowkeep::backup::testing
