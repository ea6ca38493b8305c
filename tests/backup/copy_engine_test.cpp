// The copy engine's walk: what it copies, what it counts as an error, and
// what an older copy looks like after a failure.

#include "copy_engine_fixture.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace stowkeep::backup::testing {
namespace {

using platform::FakeFileSystem;
using platform::FileError;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(CopyFolderTree, CopiesEveryFileAndSubfolderAsNormalFiles) {
    CopyFixture f;
    f.files.AddFile(L"C:\\Data\\a.txt", "alpha");
    f.files.AddFile(L"C:\\Data\\empty.txt", "");
    f.files.AddFile(L"C:\\Data\\hidden.sys", "h", platform::kAttrHidden | platform::kAttrSystem);
    f.files.AddFile(L"C:\\Data\\Sub\\Deeper\\b.bin", std::string(3000, 'b'));
    f.files.AddFolder(L"C:\\Data\\Nothing");
    f.files.AddFolder(L"E:\\backup\\Data");

    EXPECT_TRUE(f.Copy(L"C:\\Data", L"E:\\backup\\Data"));

    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\a.txt"), "alpha");
    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\empty.txt"), "");
    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\Sub\\Deeper\\b.bin"), std::string(3000, 'b'));
    EXPECT_EQ(f.files.Attributes(L"E:\\backup\\Data\\hidden.sys"), platform::kAttrArchive);
    EXPECT_THAT(f.Names(L"E:\\backup\\Data\\Nothing"), IsEmpty());
    EXPECT_THAT(f.Names(L"E:\\backup\\Data"),
                ElementsAre(L"a.txt", L"empty.txt", L"hidden.sys", L"Nothing", L"Sub"));
    EXPECT_EQ(f.run.CopiedCount, 4);
    EXPECT_EQ(f.run.ErrorCount, 0);
    EXPECT_EQ(f.window.paths.front(), L"C:\\Data\\a.txt");
    EXPECT_EQ(f.files.OpenFileCount(), 0);
}

TEST(CopyFolderTree, EmptyOrMissingSourceCopiesNothing) {
    for (const bool exists : {true, false}) {
        CopyFixture f;
        if (exists) {
            f.files.AddFolder(L"C:\\Data");
        }
        f.files.AddFolder(L"E:\\backup\\Data");
        EXPECT_TRUE(f.Copy(L"C:\\Data\\", L"E:\\backup\\Data\\"));
        EXPECT_THAT(f.Names(L"E:\\backup\\Data"), IsEmpty());
        EXPECT_EQ(f.run.ErrorCount, 0);
    }
}

TEST(CopyFolderTree, SecondRunReplacesEveryFileWhole) {
    CopyFixture f;
    f.files.AddFile(L"C:\\Data\\a.txt", "new");
    f.files.AddFile(L"E:\\backup\\Data\\a.txt", "older and longer");
    f.files.AddFile(L"E:\\backup\\Data\\gone.txt", "kept");

    EXPECT_TRUE(f.Copy(L"C:\\Data", L"E:\\backup\\Data"));

    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\a.txt"), "new");
    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\gone.txt"), "kept");
    EXPECT_THAT(f.Names(L"E:\\backup\\Data"), ElementsAre(L"a.txt", L"gone.txt"));
}

// One file that cannot be copied, between two that can: one error, the older
// copy of that file as it was, no temporary file left, the others copied.
struct FileErrorCase {
    const char* name;
    // May hand back a file that another program holds open during the copy.
    std::function<platform::FileHandle(CopyFixture&)> arrange;
};

void PrintTo(const FileErrorCase& c, std::ostream* os) {
    *os << c.name;
}

class CopyFolderFileError : public ::testing::TestWithParam<FileErrorCase> {};

TEST_P(CopyFolderFileError, CountsOneErrorAndKeepsTheOlderCopy) {
    CopyFixture f;
    f.files.AddFile(L"C:\\Data\\1.txt", "one");
    f.files.AddFile(L"C:\\Data\\2.bin", std::string(5000, 'n'));
    f.files.AddFile(L"C:\\Data\\3.txt", "three");
    f.files.AddFile(L"E:\\backup\\Data\\2.bin", "older copy");
    const platform::FileHandle holder = GetParam().arrange(f);

    EXPECT_TRUE(f.Copy(L"C:\\Data", L"E:\\backup\\Data"));

    EXPECT_EQ(f.run.ErrorCount, 1);
    EXPECT_THAT(f.window.errorLines, ElementsAre(L"Error : 1"));
    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\2.bin"), "older copy");
    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\1.txt"), "one");
    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\3.txt"), "three");
    EXPECT_THAT(f.Names(L"E:\\backup\\Data"), ElementsAre(L"1.txt", L"2.bin", L"3.txt"));
    EXPECT_EQ(f.run.CopiedCount, 2);
    EXPECT_EQ(f.files.OpenFileCount(), holder ? 1 : 0);
}

// The temporary file of 2.bin, the second file of its folder.
const std::wstring kTemporaryOf2 = L"E:\\backup\\Data\\~sk2";

FakeFileSystem::Fault On(FakeFileSystem::Op op, int countdown, const std::wstring& path,
                         FileError error = FileError::io_error) {
    return {op, countdown, error, false, path};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CopyFolderFileError,
    ::testing::Values(
        FileErrorCase{"SourceHeldOpenForWritingByAnotherProgram",
                      [](CopyFixture& f) {
                          return f.files.Open(L"C:\\Data\\2.bin", platform::Access::write,
                                              platform::share_read,
                                              platform::Disposition::open_existing);
                      }},
        FileErrorCase{"ReadFailingInTheMiddleOfTheFile",
                      [](CopyFixture& f) -> platform::FileHandle {
                          f.files.InjectFault(On(FakeFileSystem::Op::read, 3, L"C:\\Data\\2.bin"));
                          return nullptr;
                      }},
        FileErrorCase{"TemporaryFileNotCreatable",
                      [](CopyFixture& f) -> platform::FileHandle {
                          f.files.InjectFault(On(FakeFileSystem::Op::open, 1, kTemporaryOf2,
                                                 FileError::access_denied));
                          return nullptr;
                      }},
        FileErrorCase{"WriteFailingInTheMiddleOfTheFile",
                      [](CopyFixture& f) -> platform::FileHandle {
                          f.files.InjectFault(On(FakeFileSystem::Op::write, 3, kTemporaryOf2));
                          return nullptr;
                      }},
        FileErrorCase{"FlushFailing",
                      [](CopyFixture& f) -> platform::FileHandle {
                          f.files.SetVolumeFlush(L'E', false);
                          f.files.InjectFault(On(FakeFileSystem::Op::flush, 1, kTemporaryOf2));
                          return nullptr;
                      }},
        FileErrorCase{"ReplacementRefused",
                      [](CopyFixture& f) -> platform::FileHandle {
                          f.files.InjectFault(On(FakeFileSystem::Op::move, 1, kTemporaryOf2));
                          return nullptr;
                      }},
        FileErrorCase{"OlderCopyReadOnly",
                      [](CopyFixture& f) -> platform::FileHandle {
                          f.files.SetAttributes(L"E:\\backup\\Data\\2.bin",
                                                platform::kAttrReadOnly);
                          return nullptr;
                      }},
        FileErrorCase{"OlderCopyHidden",
                      [](CopyFixture& f) -> platform::FileHandle {
                          f.files.SetAttributes(L"E:\\backup\\Data\\2.bin", platform::kAttrHidden);
                          return nullptr;
                      }}),
    [](const ::testing::TestParamInfo<FileErrorCase>& c) { return std::string(c.param.name); });

} // namespace
} // namespace stowkeep::backup::testing
