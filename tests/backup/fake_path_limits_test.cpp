// The in-memory file system refuses what Windows refuses to a program that
// has not opted in to long paths: a plain path past MAX_PATH, and a folder to
// make past MAX_PATH - 12. The \\?\ form of a path has no such limit but names
// only what it spells out.

#include "platform/fake/files_fake.h"
#include "platform/long_path.h"

#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <string>

namespace stowkeep::platform {
namespace {

// "C:\" and items of at most 250 characters, length characters in all.
std::wstring PathOfLength(std::size_t length) {
    std::wstring path = L"C:\\";
    while (path.size() < length) {
        const std::size_t room = length - path.size();
        if (room <= 251) {
            path += std::wstring(room, L'x');
        } else {
            path += std::wstring(250, L'd') + L"\\";
        }
    }
    return path;
}

std::wstring Parent(const std::wstring& path) {
    return path.substr(0, path.find_last_of(L'\\'));
}

struct LimitCase {
    const char* name;
    std::size_t longestPlain;
    // Makes what the call needs (setup takes any length), then makes the call.
    std::function<bool(FakeFileSystem&, const std::wstring&)> call;
};

bool OpenExisting(FakeFileSystem& files, const std::wstring& path) {
    files.AddFile(path, "x");
    return files.Open(path, Access::read, share_read, Disposition::open_existing) != nullptr;
}

bool CreateAlways(FakeFileSystem& files, const std::wstring& path) {
    files.AddFolder(Parent(path));
    return files.Open(path, Access::write, share_none, Disposition::create_always) != nullptr;
}

bool ReadAttributes(FakeFileSystem& files, const std::wstring& path) {
    files.AddFile(path, "x");
    return files.Attributes(path) != kNoAttributes;
}

bool WriteAttributes(FakeFileSystem& files, const std::wstring& path) {
    files.AddFile(path, "x");
    return files.SetAttributes(path, kAttrHidden);
}

bool RemoveFile(FakeFileSystem& files, const std::wstring& path) {
    files.AddFile(path, "x");
    return files.Remove(path);
}

// Moves a file from a sibling of path to path.
bool MoveInto(FakeFileSystem& files, const std::wstring& path) {
    const std::wstring from = Parent(path) + L"\\m";
    files.AddFile(from, "x");
    return files.MoveReplacing(from, path);
}

bool MakeFolderAt(FakeFileSystem& files, const std::wstring& path) {
    files.AddFolder(Parent(path));
    return files.MakeFolder(path);
}

// The listing's pattern, folder + "\*.*", is what must fit.
bool ListFolder(FakeFileSystem& files, const std::wstring& path) {
    files.AddFolder(path);
    return files.List(path).has_value();
}

TEST(FakePathLimits, PlainPathsUpToTheLimitOfEachCallAndLongFormsPastIt) {
    const LimitCase cases[] = {
        {"open an existing file", kMaxPlainPath, OpenExisting},
        {"create a file", kMaxPlainPath, CreateAlways},
        {"read attributes", kMaxPlainPath, ReadAttributes},
        {"set attributes", kMaxPlainPath, WriteAttributes},
        {"remove", kMaxPlainPath, RemoveFile},
        {"move replacing", kMaxPlainPath, MoveInto},
        {"make a folder", kMaxPlainFolderPath, MakeFolderAt},
        {"list a folder", kMaxPlainPath - 4, ListFolder},
    };
    for (const LimitCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeFileSystem files;
        files.AddVolume(L'C', 1u << 20);
        EXPECT_TRUE(c.call(files, PathOfLength(c.longestPlain)));
        EXPECT_FALSE(c.call(files, PathOfLength(c.longestPlain + 1)));
        EXPECT_TRUE(c.call(files, kLongPathPrefix + PathOfLength(400)));
        EXPECT_FALSE(c.call(files, kLongPathPrefix + PathOfLength(kMaxLongPath)));
    }
}

TEST(FakePathLimits, LongFormNamesTheSameFileAndOnlyWhatItSpellsOut) {
    FakeFileSystem files;
    files.AddVolume(L'C', 1u << 20);
    const std::wstring deep = PathOfLength(300);
    files.AddFile(deep + L"\\f.txt", "deep");
    const std::wstring longForm = kLongPathPrefix + deep;

    EXPECT_TRUE(FileExists(files, longForm + L"\\F.TXT"));
    EXPECT_TRUE(FolderExists(files, longForm + L"\\"));
    EXPECT_TRUE(FolderExists(files, L"\\\\?\\c:\\"));
    EXPECT_EQ(files.List(longForm)->size(), 1u);
    const std::wstring refused[] = {
        longForm + L"/f.txt",         longForm + L"\\\\f.txt",       longForm + L"\\.\\f.txt",
        longForm + L"\\x\\..\\f.txt", L"\\\\?\\C:" + deep.substr(3), L"\\\\?\\" + deep.substr(3),
    };
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(files.Attributes(refused[i]), kNoAttributes);
    }
    EXPECT_EQ(files.Attributes(deep + L"\\f.txt"), kNoAttributes);
}

} // namespace
} // namespace stowkeep::platform
