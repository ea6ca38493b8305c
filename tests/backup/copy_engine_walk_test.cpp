// Which folders the copy engine walks into: links, the job's own
// destination, folders that fail, and failures thrown from below.

#include "backup/file_count.h"
#include "copy_engine_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdexcept>

namespace stowkeep::backup::testing {
namespace {

using platform::FakeFileSystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

TEST(CopyFolderWalk, JunctionsAreNotFollowedAndTheCounterAgrees) {
    CopyFixture f;
    f.files.AddFile(L"C:\\Data\\a.txt", "a");
    f.files.AddFile(L"C:\\Data\\Sub\\b.txt", "b");
    f.files.AddJunction(L"C:\\Data\\Sub\\Loop", L"C:\\Data");
    f.files.AddFile(L"C:\\Other\\c.txt", "c");
    f.files.AddJunction(L"C:\\Data\\Elsewhere", L"C:\\Other");
    f.files.AddFolder(L"E:\\backup\\Data");

    EXPECT_TRUE(f.Copy(L"C:\\Data", L"E:\\backup\\Data"));

    EXPECT_THAT(f.Names(L"E:\\backup\\Data"), ElementsAre(L"a.txt", L"Sub"));
    EXPECT_THAT(f.Names(L"E:\\backup\\Data\\Sub"), ElementsAre(L"b.txt"));
    EXPECT_EQ(f.run.ErrorCount, 0);
    EXPECT_EQ(f.run.CopiedCount, 2);
    EXPECT_EQ(CountFiles(f.files, L"C:\\Data"), f.run.CopiedCount);
}

struct ReparseCase {
    const char* name;
    std::uint32_t tag;
    bool link; // leads elsewhere, so passed over
};

class ReparseFolderTest : public ::testing::TestWithParam<ReparseCase> {};

// Only symbolic links and junctions lead elsewhere. Cloud placeholders,
// deduplicated and other reparse-point folders hold their own files.
TEST_P(ReparseFolderTest, OnlyLinksArePassedOverAndTheCounterAgrees) {
    const ReparseCase& c = GetParam();
    CopyFixture f;
    f.files.AddFile(L"C:\\Data\\a.txt", "a");
    f.files.AddFile(L"C:\\Other\\o.txt", "o");
    if (c.link) {
        f.files.AddJunction(L"C:\\Data\\R", L"C:\\Other", c.tag);
    } else {
        f.files.AddReparseFolder(L"C:\\Data\\R", c.tag);
        f.files.AddFile(L"C:\\Data\\R\\r.txt", "r");
    }
    f.files.AddFolder(L"E:\\backup\\Data");

    EXPECT_TRUE(f.Copy(L"C:\\Data", L"E:\\backup\\Data"));

    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\R\\r.txt"),
              c.link ? std::nullopt : std::optional<std::string>("r"));
    EXPECT_EQ(platform::FolderExists(f.files, L"E:\\backup\\Data\\R"), !c.link);
    EXPECT_EQ(f.run.CopiedCount, c.link ? 1 : 2);
    EXPECT_EQ(CountFiles(f.files, L"C:\\Data"), f.run.CopiedCount);
}

INSTANTIATE_TEST_SUITE_P(
    Tags, ReparseFolderTest,
    ::testing::Values(ReparseCase{"Junction", platform::kReparseTagMountPoint, true},
                      ReparseCase{"SymbolicLink", platform::kReparseTagSymlink, true},
                      ReparseCase{"CloudPlaceholder", 0x9000001A, false},
                      ReparseCase{"CloudPlaceholderOtherFlavour", 0x9000601A, false},
                      ReparseCase{"Deduplicated", 0x80000013, false},
                      ReparseCase{"WindowsContainer", 0x90001018, false}),
    [](const ::testing::TestParamInfo<ReparseCase>& tested) { return tested.param.name; });

TEST(CopyFolderWalk, OwnDestinationInsideTheSourceIsPassedOver) {
    struct Spelling {
        const wchar_t* source;
        const wchar_t* destination;
    };
    for (const Spelling s : {Spelling{L"E:\\stuff", L"E:\\stuff\\in\\stuff"},
                             Spelling{L"e:\\STUFF\\", L"E:\\stuff\\\\in\\stuff\\"}}) {
        CopyFixture f;
        f.files.AddFile(L"E:\\stuff\\x.txt", "x");
        f.files.AddFile(L"E:\\stuff\\in\\y.txt", "y");
        f.files.AddFolder(L"E:\\stuff\\in\\stuff");

        EXPECT_TRUE(f.Copy(s.source, s.destination));

        EXPECT_THAT(f.Names(L"E:\\stuff\\in\\stuff"), ElementsAre(L"in", L"x.txt"));
        EXPECT_THAT(f.Names(L"E:\\stuff\\in\\stuff\\in"), ElementsAre(L"y.txt"));
        EXPECT_EQ(f.run.CopiedCount, 2);
        // The counter, run again over the tree as it now stands, agrees.
        EXPECT_EQ(CountFiles(f.files, s.source, s.destination), f.run.CopiedCount);
    }
}

TEST(CopyFolderWalk, SubfolderNotCreatableCountsOneErrorAndIsSkipped) {
    CopyFixture f;
    f.files.AddFile(L"C:\\Data\\A\\a.txt", "a");
    f.files.AddFile(L"C:\\Data\\B\\b.txt", "b");
    f.files.AddFolder(L"E:\\backup\\Data");
    f.files.InjectFault({FakeFileSystem::Op::make_folder, 1, platform::FileError::access_denied,
                         false, L"E:\\backup\\Data\\A"});

    EXPECT_TRUE(f.Copy(L"C:\\Data", L"E:\\backup\\Data"));

    EXPECT_THAT(f.Names(L"E:\\backup\\Data"), ElementsAre(L"B"));
    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\B\\b.txt"), "b");
    EXPECT_THAT(f.window.errorLines, ElementsAre(L"Error : 1"));
}

TEST(CopyFolderWalk, SubfolderNotListableLeavesItsCopyEmptyWithoutError) {
    CopyFixture f;
    f.files.AddFile(L"C:\\Data\\A\\a.txt", "a");
    f.files.AddFile(L"C:\\Data\\b.txt", "b");
    f.files.AddFolder(L"E:\\backup\\Data");
    f.files.InjectFault(
        {FakeFileSystem::Op::list, 1, platform::FileError::access_denied, false, L"C:\\Data\\A"});

    EXPECT_TRUE(f.Copy(L"C:\\Data", L"E:\\backup\\Data"));

    EXPECT_THAT(f.Names(L"E:\\backup\\Data\\A"), IsEmpty());
    EXPECT_EQ(f.files.Content(L"E:\\backup\\Data\\b.txt"), "b");
    EXPECT_EQ(f.run.ErrorCount, 0);
}

// A file system whose listing of one folder throws.
class ThrowingFiles : public FakeFileSystem {
  public:
    explicit ThrowingFiles(std::wstring folder) : folder_(std::move(folder)) {}
    std::optional<std::vector<platform::FolderEntry>> List(const std::wstring& folder) override {
        if (folder == folder_) {
            throw std::runtime_error("listing failed");
        }
        return FakeFileSystem::List(folder);
    }

  private:
    std::wstring folder_;
};

TEST(CopyFolderWalk, FailureThrownFromBelowCountsOneErrorAndTheCopyGoesOn) {
    for (const std::wstring thrower : {L"C:\\Data\\A\\", L"C:\\Data\\"}) {
        ThrowingFiles files(thrower);
        files.AddVolume(L'C', 1 << 20);
        files.AddVolume(L'E', 1 << 20);
        files.AddFile(L"C:\\Data\\A\\a.txt", "a");
        files.AddFile(L"C:\\Data\\b.txt", "b");
        files.AddFolder(L"E:\\backup\\Data");
        CopyRunState run{kCopyStart};
        ScriptedCopyWindow window(run);
        std::atomic<std::int32_t> total{0};

        EXPECT_TRUE(
            CopyEngine(files, run, window, total).CopyFolder(L"C:\\Data", L"E:\\backup\\Data"));

        EXPECT_THAT(window.errorLines, ElementsAre(L"Error : 1"));
        EXPECT_EQ(files.Content(L"E:\\backup\\Data\\b.txt"),
                  thrower == L"C:\\Data\\" ? std::nullopt : std::optional<std::string>("b"));
    }
}

} // namespace
} // namespace stowkeep::backup::testing
