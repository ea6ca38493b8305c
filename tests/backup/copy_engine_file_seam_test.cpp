// The file seam's behaviour that the copy engine, the file counter and the
// image files rely on, checked the same way against the in-memory file system
// (as it is, and with the Win32 side's buffering over its files) and, in the
// Windows build (under Wine), against the Win32 side.

#include "platform/buffered_file.h"
#include "platform/fake/files_fake.h"

#include <algorithm>
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

// The in-memory files under the layer that the Win32 side puts over its own.
class BufferedFakeFileSystem : public FakeFileSystem {
  public:
    FileHandle Open(const std::wstring& path, Access access, unsigned share,
                    Disposition disposition, FileError* error = nullptr) override {
        FileHandle file = FakeFileSystem::Open(path, access, share, disposition, error);
        return file ? std::make_unique<BufferedFile>(std::move(file), access) : nullptr;
    }
};

World BufferedFakeWorld() {
    auto files = std::make_unique<BufferedFakeFileSystem>();
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

// Only a file that nobody may write keeps its end; one shared for writing
// may grow after a read reached its end.
TEST_P(FileSeam, AFileSharedForWritingGivesWhatWasAddedAfterItsEnd) {
    Put(L"log.txt", "first");
    auto reader =
        files().Open(Path(L"log.txt"), Access::read, share_read_write, Disposition::open_existing);
    ASSERT_TRUE(reader);
    char buffer[1024];
    EXPECT_EQ(reader->Read(buffer, sizeof buffer), 5u);
    auto writer =
        files().Open(Path(L"log.txt"), Access::write, share_read_write, Disposition::open_existing);
    ASSERT_TRUE(writer);
    ASSERT_TRUE(writer->WriteAt(5, "+more", 5));
    ASSERT_TRUE(writer->Flush());
    ASSERT_EQ(reader->Read(buffer, sizeof buffer), 5u);
    EXPECT_EQ(std::string(buffer, 5), "+more");
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

// Bytes that differ from their neighbours and from those a buffer further on.
std::string Pattern(std::size_t size) {
    std::string data(size, '\0');
    for (std::size_t i = 0; i < size; ++i) {
        data[i] = static_cast<char>((i * 131 + i / 4093) & 0xFF);
    }
    return data;
}

struct PiecesCase {
    std::size_t size;
    std::size_t writePiece;
    std::size_t readPiece;
    bool flush; // before closing; without it, closing writes out what is held back
};

// Sizes and pieces around the engine's 1024-byte block and the Win32 side's
// buffer.
TEST_P(FileSeam, WhatIsWrittenInPiecesReadsBackTheSameInPieces) {
    constexpr std::size_t kBuffer = BufferedFile::kBufferSize;
    const PiecesCase cases[] = {
        {0, 1024, 1024, true},
        {1, 1024, 1024, true},
        {1025, 1024, 1024, false},
        {kBuffer - 1, 1024, 1024, true},
        {kBuffer, 1024, 1024, false},
        {kBuffer + 1, 700, 1024, true},
        {5 * kBuffer / 2 + 7, 1024, 700, false},
        {5 * kBuffer / 2 + 7, 3 * kBuffer, 3 * kBuffer, true},
        {3 << 20, 1024, kBuffer + 3, true},
    };
    for (const PiecesCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.size << " bytes written in pieces of "
                                          << c.writePiece << ", read in pieces of " << c.readPiece);
        const std::string data = Pattern(c.size);
        {
            auto file = files().Open(Path(L"p.bin"), Access::read_write, share_none,
                                     Disposition::create_always);
            ASSERT_TRUE(file);
            for (std::size_t at = 0; at < c.size; at += c.writePiece) {
                ASSERT_TRUE(file->Write(data.data() + at, std::min(c.writePiece, c.size - at)));
            }
            EXPECT_EQ(file->Size(), c.size);
            if (c.flush) {
                ASSERT_TRUE(file->Flush());
            }
        }
        auto file =
            files().Open(Path(L"p.bin"), Access::read, share_read, Disposition::open_existing);
        ASSERT_TRUE(file);
        std::string back;
        std::string piece(c.readPiece, '\0');
        for (std::size_t got = 1; got > 0;) {
            const auto read = file->Read(piece.data(), piece.size());
            ASSERT_TRUE(read);
            got = *read;
            // The copy engine counts on it: only the end gives less than asked for.
            ASSERT_EQ(got, std::min(c.readPiece, c.size - back.size()));
            back.append(piece, 0, got);
        }
        EXPECT_TRUE(back == data) << "the bytes read back differ";
    }
}

TEST_P(FileSeam, ReadsAndWritesAtMovedPositionsMeetWhatWasWrittenBefore) {
    auto file =
        files().Open(Path(L"m.bin"), Access::read_write, share_none, Disposition::create_always);
    ASSERT_TRUE(file);
    const std::string a(3000, 'a');
    ASSERT_TRUE(file->Write(a.data(), a.size()));
    ASSERT_TRUE(file->WriteAt(100, "xyz", 3));
    ASSERT_TRUE(file->Write("after", 5));
    std::string next(16, '\0');
    EXPECT_EQ(file->Read(next.data(), next.size()), 16u);
    EXPECT_EQ(next, std::string(16, 'a'));
    ASSERT_TRUE(file->SetLength(4000));
    ASSERT_TRUE(file->Write("end", 3));
    EXPECT_EQ(file->Size(), 4003u);
    file.reset();

    std::string expected = a;
    expected.replace(100, 8, "xyzafter");
    expected.resize(4000, '\0');
    expected += "end";
    EXPECT_EQ(Get(L"m.bin"), expected);
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
    {"InMemoryBuffered", BufferedFakeWorld},
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
