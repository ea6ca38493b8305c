#include "platform/fake/fake_libraries.h"
#include "platform/fake/fake_profile_files.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>
#include <vector>

namespace stowkeep::platform::fake {
namespace {

// Settings are read on worker threads while the user-interface thread writes
// them, and the device library is called from the watcher thread: the
// in-memory side must stand that as the system does.

TEST(FakeThreadsTest, ConcurrentWritersLoseNoKeyOfOneFile) {
    FakeProfileFiles files;
    files.AddFolder(L"C:\\Tools");
    const std::wstring path = L"C:\\Tools\\set.ini";
    constexpr int kThreads = 4;
    constexpr int kKeys = 40;

    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&files, &path, t] {
            for (int k = 0; k < kKeys; ++k) {
                const std::wstring key = std::to_wstring(t) + L"-" + std::to_wstring(k);
                files.WriteString(path, L"BackupSource", key, key);
                files.ReadString(path, L"BackupSource", L"0-0", L"", 2048);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }

    for (int t = 0; t < kThreads; ++t) {
        for (int k = 0; k < kKeys; ++k) {
            const std::wstring key = std::to_wstring(t) + L"-" + std::to_wstring(k);
            EXPECT_EQ(files.ReadString(path, L"BackupSource", key, L"", 2048), key);
        }
    }
}

TEST(FakeThreadsTest, ExportsAreCalledWhileOtherHandlesComeAndGo) {
    FakeLibraries libraries;
    std::atomic<int> calls{0};
    libraries.Put(L"C:\\Tools\\Hatchlink.dll", {{"ButtonStatus", [&calls] {
                                                     ++calls;
                                                     return 0;
                                                 }}});
    const auto bound = libraries.Load(L"C:\\Tools\\Hatchlink.dll");
    ASSERT_TRUE(bound);

    std::thread watcher([&bound] {
        for (int i = 0; i < 200; ++i) {
            if (const auto status = bound->Find("ButtonStatus")) {
                status();
            }
        }
    });
    for (int i = 0; i < 200; ++i) {
        libraries.Load(L"C:\\Tools\\Hatchlink.dll").reset();
    }
    watcher.join();

    EXPECT_EQ(calls.load(), 200);
    EXPECT_EQ(libraries.LoadCount(L"C:\\Tools\\Hatchlink.dll"), 1);
}

} // namespace
} // namespace stowkeep::platform::fake
