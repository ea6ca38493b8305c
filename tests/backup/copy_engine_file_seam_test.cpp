// The file seam's behaviour that the copy engine, the file counter and the
// image files rely on, checked the same way against the in-memory file system
// and, in the Windows build (under Wine), against the Win32 side.

#include "platform/fake/files_fake.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#ifdef _WIN32
#include "platform/win32/files_win32.h"

#include <windows.h>
#endif

namespace stowkeep::platform {
namespace {

using ::testing::AnyOf;
using ::testing::UnorderedElementsAre;

// A file system and an empty scratch folder on it (with trailing backslash).
struct World {
    std::unique_ptr<FileSystem> files;
    std::wstring folder;
    std::wstring root; // the volume's root
};

World FakeWorld() {
    auto files = std::make_unique<FakeFileSystem>();
    files->AddVolume(L'T', 1ull << 30, L"NTFS", DriveType::fixed);
    files->AddFolder(L"T:\\scratch");
    return {std::move(files), L"T:\\scratch\\", L"T:\\"};
}

#ifdef _WIN32
World Win32World() {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    auto files = std::make_unique<Win32FileSystem>();
    std::wstring folder = std::wstring(temp) + L"stowkeep-seam-" +
                          std::to_wstring(GetCurrentProcessId()) + L"-" +
                          std::to_wstring(GetTickCount64());
    files->MakeFolder(folder);
    return {std::move(files), folder + L"\\", std::wstring(temp).substr(0, 3)};
}
#endif

struct WorldCase {
    const char* name;
    std::function<World()> make;
};

void PrintTo(const WorldCase& c, std::ostream* os) {
    *os << c.name;
}

class FileSeam : public ::testing::TestWithParam<WorldCase> {
  protected:
    void SetUp() override { world_ = GetParam().make(); }
    void TearDown() override { Empty(world_.folder); }

    FileSystem& files() { return *world_.files; }
    std::wstring Path(const std::wstring& name) { return world_.folder + name; }

    void Put(const std::wstring& name, const std::string& content) {
        auto file = files().Open(Path(name), Access::write, share_none, Disposition::create_always);
        ASSERT_TRUE(file);
        ASSERT_TRUE(file->Write(content.data(), content.size()));
    }

    std::string Get(const std::wstring& name) {
        auto file = files().Open(Path(name), Access::read, share_read, Disposition::open_existing);
        if (!file) {
            return "<cannot open>";
        }
        std::string content;
        char block[700];
        while (const auto got = file->Read(block, sizeof block)) {
            if (*got == 0) {
                break;
            }
            content.append(block, *got);
        }
        return content;
    }

    FileError OpenError(const std::wstring& name, Access access, unsigned share,
                        Disposition disposition = Disposition::open_existing) {
        FileError error = FileError::other;
        const auto file = files().Open(Path(name), access, share, disposition, &error);
        EXPECT_EQ(file == nullptr, error != FileError::none);
        return error;
    }

    // Removes what a test left, so the Win32 scratch folder goes too.
    void Empty(const std::wstring& folder) {
        for (const auto& entry : files().List(folder).value_or(std::vector<FolderEntry>{})) {
            const std::wstring path = folder + entry.name;
            files().SetAttributes(path, kAttrNormal);
            if (entry.IsFolder()) {
                Empty(path + L"\\");
#ifdef _WIN32
                RemoveDirectoryW(path.c_str());
#endif
            } else {
                files().Remove(path);
            }
        }
#ifdef _WIN32
        if (folder == world_.folder) {
            RemoveDirectoryW(folder.c_str());
        }
#endif
    }

    World world_;
};

TEST_P(FileSeam, WritesReadsAndListsWithHiddenSystemAndFolderEntries) {
    Put(L"plain.txt", std::string(2500, 'p'));
    Put(L"hidden.txt", "h");
    ASSERT_TRUE(files().SetAttributes(Path(L"hidden.txt"), kAttrHidden | kAttrSystem));
    ASSERT_TRUE(files().MakeFolder(Path(L"Sub")));

    EXPECT_EQ(Get(L"PLAIN.TXT"), std::string(2500, 'p'));
    const auto entries = files().List(world_.folder);
    ASSERT_TRUE(entries);
    std::vector<std::wstring> described;
    for (const FolderEntry& entry : *entries) {
        described.push_back(entry.name + L" " + std::to_wstring(entry.size) +
                            (entry.IsFolder() ? L" folder" : L"") +
                            ((entry.attributes & kAttrHidden) ? L" hidden" : L"") +
                            ((entry.attributes & kAttrSystem) ? L" system" : L""));
    }
    EXPECT_THAT(described, UnorderedElementsAre(L"plain.txt 2500", L"hidden.txt 1 hidden system",
                                                L"Sub 0 folder"));
    EXPECT_FALSE(files().List(Path(L"missing")));
    EXPECT_TRUE(FolderExists(files(), Path(L"sub")));
    EXPECT_TRUE(FileExists(files(), Path(L"plain.txt")));
    EXPECT_EQ(files().Attributes(Path(L"missing")), kNoAttributes);
}

TEST_P(FileSeam, ReadAtTheEndGivesNothingAndSizeIsTheLength) {
    Put(L"a.bin", "12345");
    auto file = files().Open(Path(L"a.bin"), Access::read, share_read, Disposition::open_existing);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->Size(), 5u);
    char buffer[16];
    EXPECT_EQ(file->Read(buffer, sizeof buffer), 5u);
    EXPECT_EQ(file->Read(buffer, sizeof buffer), 0u);
}

TEST_P(FileSeam, ShareModesDecideWhoMayOpenAFile) {
    Put(L"held.txt", "content");
    {
        // Another program writes the file and lets others only read it.
        auto writer =
            files().Open(Path(L"held.txt"), Access::write, share_read, Disposition::open_existing);
        ASSERT_TRUE(writer);
        EXPECT_EQ(OpenError(L"held.txt", Access::read, share_read), FileError::sharing_violation);
        EXPECT_EQ(OpenError(L"held.txt", Access::read, share_read_write), FileError::none);
        EXPECT_FALSE(files().Remove(Path(L"held.txt")));
    }
    {
        auto reader =
            files().Open(Path(L"held.txt"), Access::read, share_read, Disposition::open_existing);
        ASSERT_TRUE(reader);
        EXPECT_EQ(OpenError(L"held.txt", Access::read, share_read), FileError::none);
        EXPECT_EQ(OpenError(L"held.txt", Access::write, share_read_write),
                  FileError::sharing_violation);
    }
    EXPECT_EQ(OpenError(L"held.txt", Access::read_write, share_none), FileError::none);
    EXPECT_EQ(OpenError(L"missing.txt", Access::read, share_read), FileError::not_found);
    EXPECT_EQ(OpenError(L"no\\such.txt", Access::write, share_none, Disposition::create_always),
              FileError::not_found);
}

TEST_P(FileSeam, ReadOnlyAndHiddenFilesRefuseWhatWindowsRefuses) {
    Put(L"ro.txt", "old");
    Put(L"hid.txt", "old");
    Put(L"new.txt", "new");
    ASSERT_TRUE(files().SetAttributes(Path(L"ro.txt"), kAttrReadOnly));
    ASSERT_TRUE(files().SetAttributes(Path(L"hid.txt"), kAttrHidden));

    EXPECT_EQ(OpenError(L"ro.txt", Access::write, share_none), FileError::access_denied);
    EXPECT_EQ(OpenError(L"hid.txt", Access::read_write, share_none, Disposition::create_always),
              FileError::access_denied);
    EXPECT_EQ(OpenError(L"new.txt", Access::write, share_none, Disposition::create_new),
              FileError::already_exists);
    EXPECT_FALSE(files().Remove(Path(L"ro.txt")));
    FileError error = FileError::none;
    EXPECT_FALSE(files().MoveReplacing(Path(L"new.txt"), Path(L"ro.txt"), &error));
    EXPECT_EQ(error, FileError::access_denied);
    EXPECT_EQ(Get(L"ro.txt"), "old");
    EXPECT_EQ(Get(L"new.txt"), "new");
}

TEST_P(FileSeam, MoveReplacingPutsOneFileInPlaceOfAnother) {
    Put(L"old.txt", "older and longer");
    Put(L"tmp.txt", "new");
    {
        auto holder =
            files().Open(Path(L"old.txt"), Access::read, share_read, Disposition::open_existing);
        FileError error = FileError::none;
        EXPECT_FALSE(files().MoveReplacing(Path(L"tmp.txt"), Path(L"old.txt"), &error));
        EXPECT_THAT(error, AnyOf(FileError::sharing_violation, FileError::access_denied));
    }
    EXPECT_EQ(Get(L"old.txt"), "older and longer");
    EXPECT_TRUE(files().MoveReplacing(Path(L"tmp.txt"), Path(L"old.txt")));
    EXPECT_EQ(Get(L"old.txt"), "new");
    EXPECT_EQ(files().Attributes(Path(L"tmp.txt")), kNoAttributes);
    EXPECT_TRUE(files().MoveReplacing(Path(L"old.txt"), Path(L"fresh.txt")));
    EXPECT_EQ(Get(L"fresh.txt"), "new");
}

TEST_P(FileSeam, SetLengthMakesAZeroFilledFileAndWriteAtChangesItsEnds) {
    const std::uint64_t length = 3 * 1024 * 1024;
    auto file =
        files().Open(Path(L"disk.dsk"), Access::read_write, share_none, Disposition::create_always);
    ASSERT_TRUE(file);
    ASSERT_TRUE(file->SetLength(length));
    const std::string ones(512, '\x01');
    ASSERT_TRUE(file->WriteAt(0, ones.data(), ones.size()));
    ASSERT_TRUE(file->WriteAt(length - 512, ones.data(), ones.size()));
    ASSERT_TRUE(file->Flush());
    EXPECT_EQ(file->Size(), length);
    file.reset();

    const std::string content = Get(L"disk.dsk");
    ASSERT_EQ(content.size(), length);
    EXPECT_EQ(content.substr(0, 512), ones);
    EXPECT_EQ(content.substr(512, 1024), std::string(1024, '\0'));
    EXPECT_EQ(content.substr(length - 512), ones);
}

TEST_P(FileSeam, FoldersAreMadeOneLevelAtATime) {
    EXPECT_TRUE(files().MakeFolder(Path(L"One")));
    EXPECT_FALSE(files().MakeFolder(Path(L"one")));
    EXPECT_FALSE(files().MakeFolder(Path(L"Two\\Three")));
    EXPECT_TRUE(files().MakeFolder(Path(L"One\\Two\\")));
    EXPECT_TRUE(FolderExists(files(), Path(L"One\\\\Two")));
    EXPECT_FALSE(FolderExists(files(), Path(L"Two")));
}

TEST_P(FileSeam, VolumeOfTheScratchFolderAnswersItsQueries) {
    const auto freeBytes = files().FreeBytes(world_.root);
    ASSERT_TRUE(freeBytes);
    EXPECT_GT(*freeBytes, 0u);
    EXPECT_TRUE(files().VolumeFileSystem(world_.root));
    EXPECT_EQ(files().DriveKind(world_.root), DriveType::fixed);
    EXPECT_FALSE(files().FreeBytes(L"Q:\\"));
    EXPECT_EQ(files().DriveKind(L"Q:\\"), DriveType::no_root_dir);
}

const WorldCase kWorlds[] = {
    {"InMemory", FakeWorld},
#ifdef _WIN32
    {"Win32", Win32World},
#endif
};

INSTANTIATE_TEST_SUITE_P(Worlds, FileSeam, ::testing::ValuesIn(kWorlds),
                         [](const ::testing::TestParamInfo<WorldCase>& c) {
                             return std::string(c.param.name);
                         });

} // namespace
} // namespace stowkeep::platform
