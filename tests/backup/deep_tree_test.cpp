// Trees deeper than MAX_PATH: the file seam's calls, the file counter and the
// copy engine on the program's file system, in memory (where plain paths keep
// Windows's limits) and, in the Windows build (under Wine), on Win32.

#include "backup/copy_engine.h"
#include "backup/file_count.h"
#include "platform/fake/files_fake.h"
#include "platform/long_path_files.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>
#ifdef _WIN32
#include "platform/win32/files_win32.h"

#include <windows.h>
#endif

namespace stowkeep::backup {
namespace {

using platform::Access;
using platform::Disposition;
using platform::FileSystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The program's file system with two existing, empty folders: one for a
// source tree and one for its copy (no trailing backslash).
struct World {
    std::unique_ptr<platform::FakeFileSystem> fake;
    std::unique_ptr<FileSystem> files;
    std::wstring source;
    std::wstring destination;
    // Removes what the world left on the system.
    std::function<void()> cleanUp = [] {};
    // Puts a file, with the folders above it, as another program would.
    std::function<void(const std::wstring&, const std::string&)> put;
};

World InMemoryWorld() {
    World world;
    world.fake = std::make_unique<platform::FakeFileSystem>();
    world.fake->AddVolume(L'C', 1ull << 30);
    world.fake->AddVolume(L'E', 1ull << 30);
    world.fake->AddFolder(L"C:\\Data");
    world.fake->AddFolder(L"E:\\backup\\Data");
    world.files = std::make_unique<platform::LongPathFileSystem>(*world.fake);
    world.source = L"C:\\Data";
    world.destination = L"E:\\backup\\Data";
    world.put = [fake = world.fake.get()](const std::wstring& path, const std::string& content) {
        fake->AddFile(path, content);
    };
    return world;
}

#ifdef _WIN32
void RemoveTree(FileSystem& files, const std::wstring& folder) {
    for (const auto& entry : files.List(folder).value_or(std::vector<platform::FolderEntry>{})) {
        const std::wstring path = folder + L"\\" + entry.name;
        files.SetAttributes(path, platform::kAttrNormal);
        if (entry.IsFolder()) {
            RemoveTree(files, path);
        } else {
            files.Remove(path);
        }
    }
    RemoveDirectoryW(platform::LongPathForm(folder).c_str());
}

World Win32World() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    World world;
    world.files = std::make_unique<platform::Win32FileSystem>();
    const std::wstring scratch = std::wstring(temp) + L"stowkeep-deep-" +
                                 std::to_wstring(GetCurrentProcessId()) + L"-" +
                                 std::to_wstring(GetTickCount64());
    world.source = scratch + L"\\Data";
    world.destination = scratch + L"\\backup";
    for (const std::wstring& folder : {scratch, world.source, world.destination}) {
        world.files->MakeFolder(folder);
    }
    world.destination += L"\\Data";
    world.files->MakeFolder(world.destination);
    world.cleanUp = [files = world.files.get(), scratch] { RemoveTree(*files, scratch); };
    world.put = [files = world.files.get(), source = world.source](const std::wstring& path,
                                                                   const std::string& content) {
        std::size_t next = source.size() + 1;
        for (std::size_t end = path.find(L'\\', next); end != std::wstring::npos;
             end = path.find(L'\\', next)) {
            files->MakeFolder(path.substr(0, end));
            next = end + 1;
        }
        auto file =
            files->Open(path, Access::write, platform::share_none, Disposition::create_always);
        if (file) {
            file->Write(content.data(), content.size());
        }
    };
    return world;
}
#endif

struct WorldCase {
    const char* name;
    std::function<World()> make;
};

void PrintTo(const WorldCase& c, std::ostream* os) {
    *os << c.name;
}

// Folder names of 40 characters; eight of them make a path past 300.
std::wstring Level(int n) {
    std::wstring name = L"Level-" + std::to_wstring(n) + L"-";
    return name + std::wstring(40 - name.size(), L'n');
}

// Bytes that differ from their neighbours.
std::string Pattern(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<char>((i * 131 + i / 1021) & 0xFF);
    }
    return data;
}

class NoWindow : public CopyWindowPort {
  public:
    void SetFilePath(const std::wstring& path) override { paths.push_back(path); }
    void SetErrorLine(const std::wstring& /*text*/) override {}
    void SetProgress(int /*position*/) override {}
    void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
    void ProcessMessages() override {}
    void WaitForMessages() override {}

    std::vector<std::wstring> paths;
    std::vector<std::wstring> messages;
};

class DeepTree : public ::testing::TestWithParam<WorldCase> {
  protected:
    void SetUp() override { world_ = GetParam().make(); }
    void TearDown() override { world_.cleanUp(); }

    FileSystem& files() { return *world_.files; }

    // Makes the folders of levels 1 .. depth under a folder, one level at a
    // time; the deepest one.
    std::wstring MakeLevels(const std::wstring& under, int depth) {
        std::wstring folder = under;
        for (int n = 1; n <= depth; ++n) {
            folder += L"\\" + Level(n);
            EXPECT_TRUE(files().MakeFolder(folder)) << folder.size() << " characters";
        }
        return folder;
    }

    void Put(const std::wstring& path, const std::string& content) {
        auto file =
            files().Open(path, Access::write, platform::share_none, Disposition::create_always);
        ASSERT_TRUE(file) << path.size() << " characters";
        ASSERT_TRUE(file->Write(content.data(), content.size()));
        ASSERT_TRUE(file->Flush());
    }

    std::string Get(const std::wstring& path) {
        auto file =
            files().Open(path, Access::read, platform::share_read, Disposition::open_existing);
        if (!file) {
            return "<cannot open>";
        }
        std::string content;
        char block[1000];
        for (auto got = file->Read(block, sizeof block); got && *got > 0;
             got = file->Read(block, sizeof block)) {
            content.append(block, *got);
        }
        return content;
    }

    std::vector<std::wstring> Names(const std::wstring& folder) {
        const auto entries = files().List(folder).value_or(std::vector<platform::FolderEntry>{});
        std::vector<std::wstring> names(entries.size());
        std::transform(entries.begin(), entries.end(), names.begin(),
                       [](const platform::FolderEntry& entry) { return entry.name; });
        return names;
    }

    World world_;
};

TEST_P(DeepTree, EveryFileAndFolderCallWorksPastMaxPath) {
    const std::wstring folder = MakeLevels(world_.source, 8);
    ASSERT_GT(folder.size(), 300u);
    const std::wstring file = folder + L"\\file.bin";
    Put(file, "deep content");

    EXPECT_EQ(Get(file), "deep content");
    EXPECT_TRUE(platform::FolderExists(files(), folder));
    EXPECT_TRUE(platform::FolderExists(files(), folder + L"\\"));
    std::wstring slashed = file;
    std::replace(slashed.begin() + 3, slashed.end(), L'\\', L'/');
    EXPECT_TRUE(platform::FileExists(files(), slashed));
    EXPECT_TRUE(platform::FileExists(files(), world_.source + L"\\\\" +
                                                  file.substr(world_.source.size() + 1)));
    EXPECT_THAT(Names(folder), ElementsAre(L"file.bin"));

    ASSERT_TRUE(files().SetAttributes(file, platform::kAttrHidden));
    EXPECT_NE(files().Attributes(file) & platform::kAttrHidden, 0u);
    ASSERT_TRUE(files().SetAttributes(file, platform::kAttrNormal));
    EXPECT_TRUE(files().MoveReplacing(file, folder + L"\\moved.bin"));
    EXPECT_THAT(Names(folder), ElementsAre(L"moved.bin"));
    EXPECT_TRUE(files().Remove(folder + L"\\moved.bin"));
    EXPECT_THAT(Names(folder), IsEmpty());
}

TEST_P(DeepTree, BackupCopiesAndCountsEveryFileByteForByte) {
    std::wstring middle = world_.source;
    for (int n = 1; n <= 5; ++n) {
        middle += L"\\" + Level(n);
    }
    std::wstring deepest = middle;
    for (int n = 6; n <= 8; ++n) {
        deepest += L"\\" + Level(n);
    }
    const std::wstring deepFile = deepest + L"\\deep.bin";
    world_.put(world_.source + L"\\top.txt", "top");
    world_.put(middle + L"\\middle.txt", Pattern(1500));
    world_.put(deepFile, Pattern(5000));
    const std::wstring relativeDeep = deepFile.substr(world_.source.size());
    ASSERT_GT(world_.destination.size() + relativeDeep.size(), 300u);

    EXPECT_EQ(CountFiles(files(), world_.source), 3);
    EXPECT_TRUE(platform::FolderExists(files(), deepest));
    CopyRunState run{kCopyStart};
    NoWindow window;
    const std::atomic<std::int32_t> total{3};
    EXPECT_TRUE(
        CopyEngine(files(), run, window, total).CopyFolder(world_.source, world_.destination));

    EXPECT_EQ(run.ErrorCount, 0);
    EXPECT_EQ(run.CopiedCount, 3);
    EXPECT_THAT(window.messages, IsEmpty());
    EXPECT_EQ(Get(world_.destination + L"\\top.txt"), "top");
    EXPECT_TRUE(Get(world_.destination + middle.substr(world_.source.size()) + L"\\middle.txt") ==
                Pattern(1500));
    EXPECT_TRUE(Get(world_.destination + relativeDeep) == Pattern(5000))
        << "the deepest file differs from its source";
    EXPECT_EQ(CountFiles(files(), world_.destination), 3);
}

const WorldCase kWorlds[] = {
    {"InMemory", InMemoryWorld},
#ifdef _WIN32
    {"Win32", Win32World},
#endif
};

INSTANTIATE_TEST_SUITE_P(Worlds, DeepTree, ::testing::ValuesIn(kWorlds),
                         [](const ::testing::TestParamInfo<WorldCase>& c) {
                             return std::string(c.param.name);
                         });

} // namespace
} // namespace stowkeep::backup
