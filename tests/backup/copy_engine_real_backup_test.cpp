// A real backup on the Win32 file system (run under Wine): a tree of a few
// thousand files in nested folders, hidden and read-only files, a 200 MB file
// and a file that another process holds open for writing, copied by the copy
// engine into a folder standing for the enclosure. Afterwards every copy must
// equal its source byte for byte, except the held file, counted as one error.

#include "backup/copy_engine.h"
#include "backup/file_count.h"
#include "platform/win32/files_win32.h"

#include <chrono>
#include <cstdint>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>
#include <windows.h>

namespace stowkeep::backup {
namespace {

using platform::Access;
using platform::Disposition;

constexpr wchar_t kHoldSwitch[] = L"--hold-open";
constexpr std::uint64_t kLargeSize = 200ull * 1024 * 1024;

class NoWindow : public CopyWindowPort {
  public:
    void SetFilePath(const std::wstring& path) override { lastPath = path; }
    void SetErrorLine(const std::wstring& text) override { errorLine = text; }
    void SetProgress(int position) override { progress = position; }
    void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
    void ProcessMessages() override {
        if (onProcess) {
            onProcess();
        }
    }
    void WaitForMessages() override {}

    std::wstring lastPath;
    std::wstring errorLine;
    int progress = -1;
    std::vector<std::wstring> messages;
    std::function<void()> onProcess;
};

struct Handle {
    explicit Handle(HANDLE h) : value(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (value && value != INVALID_HANDLE_VALUE) {
            CloseHandle(value);
        }
    }
    HANDLE value;
};

// Another process that holds a file open for writing, letting others read.
class Holder {
  public:
    explicit Holder(const std::wstring& path)
        : ready_(CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          release_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        SetHandleInformation(ready_.value, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
        SetHandleInformation(release_.value, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring command = L"\"" + std::wstring(self) + L"\" " + kHoldSwitch + L" " +
                               std::to_wstring(reinterpret_cast<std::uintptr_t>(ready_.value)) +
                               L" " +
                               std::to_wstring(reinterpret_cast<std::uintptr_t>(release_.value)) +
                               L" \"" + path + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                  nullptr, &startup, &info) != 0;
        if (started_) {
            CloseHandle(info.hThread);
            process_.value = info.hProcess;
            const HANDLE both[] = {ready_.value, process_.value};
            started_ = WaitForMultipleObjects(2, both, FALSE, INFINITE) == WAIT_OBJECT_0;
        }
    }
    ~Holder() {
        SetEvent(release_.value);
        if (process_.value) {
            WaitForSingleObject(process_.value, INFINITE);
        }
    }
    bool Holding() const { return started_; }

  private:
    Handle ready_;
    Handle release_;
    Handle process_{nullptr};
    bool started_ = false;
};

// The child's side: open the file, report, wait for the release.
int HoldOpen(int argc, wchar_t** argv) {
    if (argc < 5) {
        return 2;
    }
    const auto ready = reinterpret_cast<HANDLE>(std::wcstoull(argv[2], nullptr, 10));
    const auto release = reinterpret_cast<HANDLE>(std::wcstoull(argv[3], nullptr, 10));
    Handle file(CreateFileW(argv[4], GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.value == INVALID_HANDLE_VALUE) {
        return 3;
    }
    SetEvent(ready);
    WaitForSingleObject(release, INFINITE);
    return 0;
}

class RealBackup : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        root_ = std::wstring(temp) + L"stowkeep-backup-" + std::to_wstring(GetCurrentProcessId());
        for (const std::wstring& folder :
             {root_, root_ + L"\\Data", root_ + L"\\Enclosure", root_ + L"\\Enclosure\\backup",
              root_ + L"\\Enclosure\\backup\\Data"}) {
            ASSERT_TRUE(files_.MakeFolder(folder));
        }
    }
    void TearDown() override { RemoveTree(root_); }

    void Write(const std::wstring& path, std::uint64_t size, std::uint32_t seed) {
        auto file =
            files_.Open(path, Access::write, platform::share_none, Disposition::create_always);
        ASSERT_TRUE(file) << std::string(path.begin(), path.end());
        std::mt19937 random(seed);
        std::vector<std::uint32_t> chunk(256 * 1024);
        for (std::uint64_t done = 0; done < size;) {
            for (auto& word : chunk) {
                word = random();
            }
            const auto n = static_cast<std::size_t>(
                std::min<std::uint64_t>(size - done, chunk.size() * sizeof(std::uint32_t)));
            ASSERT_TRUE(file->Write(chunk.data(), n));
            done += n;
        }
    }

    // A few thousand small files in four levels of folders.
    void MakeTree() {
        std::uint32_t seed = 1;
        for (int a = 0; a < 6; ++a) {
            const std::wstring level1 = root_ + L"\\Data\\dir" + std::to_wstring(a);
            ASSERT_TRUE(files_.MakeFolder(level1));
            for (int b = 0; b < 6; ++b) {
                const std::wstring level2 = level1 + L"\\sub" + std::to_wstring(b);
                ASSERT_TRUE(files_.MakeFolder(level2));
                const std::wstring level3 = level2 + L"\\deep";
                ASSERT_TRUE(files_.MakeFolder(level3));
                for (int c = 0; c < 60; ++c) {
                    const std::wstring folder = c % 2 ? level2 : level3;
                    Write(folder + L"\\file" + std::to_wstring(c) + L".dat", (seed * 7919) % 9000,
                          seed);
                    ++seed;
                }
            }
        }
        Write(root_ + L"\\Data\\hidden.txt", 1234, 90001);
        files_.SetAttributes(root_ + L"\\Data\\hidden.txt",
                             platform::kAttrHidden | platform::kAttrSystem);
        Write(root_ + L"\\Data\\dir0\\readonly.txt", 4321, 90002);
        files_.SetAttributes(root_ + L"\\Data\\dir0\\readonly.txt", platform::kAttrReadOnly);
        Write(root_ + L"\\Data\\large.bin", kLargeSize, 90003);
        Write(root_ + L"\\Data\\dir1\\locked.log", 777, 90004);
    }

    bool SameBytes(const std::wstring& a, const std::wstring& b) {
        auto x = files_.Open(a, Access::read, platform::share_read, Disposition::open_existing);
        auto y = files_.Open(b, Access::read, platform::share_read, Disposition::open_existing);
        if (!x || !y || x->Size() != y->Size()) {
            return false;
        }
        std::vector<char> bx(1 << 20);
        std::vector<char> by(1 << 20);
        while (true) {
            const auto nx = x->Read(bx.data(), bx.size());
            const auto ny = y->Read(by.data(), by.size());
            if (!nx || !ny || *nx != *ny) {
                return false;
            }
            if (*nx == 0) {
                return true;
            }
            if (!std::equal(bx.begin(), bx.begin() + static_cast<std::ptrdiff_t>(*nx),
                            by.begin())) {
                return false;
            }
        }
    }

    // Compares the source tree with its copy; the relative paths of the
    // files that differ or are missing.
    void Compare(const std::wstring& source, const std::wstring& copy, const std::wstring& relative,
                 std::vector<std::wstring>& differing, int& compared) {
        const auto entries = files_.List(source);
        ASSERT_TRUE(entries);
        for (const auto& entry : *entries) {
            const std::wstring name = relative + entry.name;
            if (entry.IsFolder()) {
                Compare(source + L"\\" + entry.name, copy + L"\\" + entry.name, name + L"\\",
                        differing, compared);
                continue;
            }
            ++compared;
            const std::wstring copied = copy + L"\\" + entry.name;
            const std::uint32_t attributes = files_.Attributes(copied);
            if (!SameBytes(source + L"\\" + entry.name, copied) ||
                (attributes &
                 (platform::kAttrHidden | platform::kAttrSystem | platform::kAttrReadOnly))) {
                differing.push_back(name);
            }
        }
    }

    void RemoveTree(const std::wstring& folder) {
        for (const auto& entry :
             files_.List(folder).value_or(std::vector<platform::FolderEntry>{})) {
            const std::wstring path = folder + L"\\" + entry.name;
            files_.SetAttributes(path, platform::kAttrNormal);
            if (entry.IsFolder()) {
                RemoveTree(path);
            } else {
                files_.Remove(path);
            }
        }
        RemoveDirectoryW(folder.c_str());
    }

    platform::Win32FileSystem files_;
    std::wstring root_;
};

TEST_F(RealBackup, EveryFileEqualsItsSourceButTheHeldOneCountedAsOneError) {
    MakeTree();
    const std::wstring source = root_ + L"\\Data";
    const std::wstring destination = root_ + L"\\Enclosure\\backup\\Data";
    const std::int32_t fileCount = CountFiles(files_, source);
    EXPECT_EQ(fileCount, 6 * 6 * 60 + 4);

    Holder holder(source + L"\\dir1\\locked.log");
    ASSERT_TRUE(holder.Holding());
    CopyRunState run{kCopyStart};
    NoWindow window;
    std::atomic<std::int32_t> total{fileCount};
    const ULONGLONG started = GetTickCount64();
    EXPECT_TRUE(CopyEngine(files_, run, window, total).CopyFolder(source, destination));
    const double seconds = static_cast<double>(GetTickCount64() - started) / 1000.0;

    EXPECT_EQ(run.ErrorCount, 1);
    EXPECT_EQ(window.errorLine, L"Error : 1");
    EXPECT_EQ(run.CopiedCount, fileCount - 1);
    EXPECT_EQ(window.progress, 99);
    std::vector<std::wstring> differing;
    int compared = 0;
    Compare(source, destination, L"", differing, compared);
    EXPECT_EQ(compared, fileCount);
    EXPECT_THAT(differing, ::testing::ElementsAre(L"dir1\\locked.log"));
    EXPECT_FALSE(platform::FileExists(files_, destination + L"\\dir1\\locked.log"));
    std::printf("copied %d files, %.0f MB, in %.1f s\n", run.CopiedCount,
                static_cast<double>(kLargeSize) / 1e6, seconds);
}

TEST_F(RealBackup, CancelDuringTheLargeFileKeepsItsOlderCopy) {
    const std::wstring source = root_ + L"\\Data";
    const std::wstring destination = root_ + L"\\Enclosure\\backup\\Data";
    Write(source + L"\\large.bin", kLargeSize, 7);
    Write(destination + L"\\large.bin", 5000, 8);
    CopyRunState run{kCopyStart};
    NoWindow window;
    int processed = 0;
    window.onProcess = [&] {
        if (++processed == 5) {
            run.CopyControl = kCopyCancel;
        }
    };
    std::atomic<std::int32_t> total{1};
    // Messages at every check, so that the cancel comes during the large file
    // however fast it is copied.
    auto now = std::chrono::steady_clock::now();
    const auto clock = [&now] { return now += std::chrono::milliseconds(40); };

    EXPECT_FALSE(CopyEngine(files_, run, window, total, clock).CopyFolder(source, destination));

    EXPECT_EQ(files_
                  .Open(destination + L"\\large.bin", Access::read, platform::share_read,
                        Disposition::open_existing)
                  ->Size(),
              5000u);
    const auto left = files_.List(destination).value();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].name, L"large.bin");
}

} // namespace
} // namespace stowkeep::backup

int wmain(int argc, wchar_t** argv) {
    if (argc > 1 && std::wstring(argv[1]) == stowkeep::backup::kHoldSwitch) {
        return stowkeep::backup::HoldOpen(argc, argv);
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
