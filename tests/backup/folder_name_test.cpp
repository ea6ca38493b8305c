#include "backup/folder_name.h"

#include <gtest/gtest.h>

namespace stowkeep::backup {
namespace {

struct FolderNameCase {
    const wchar_t* source;
    const wchar_t* name;
};

class FolderNameTest : public ::testing::TestWithParam<FolderNameCase> {};

TEST_P(FolderNameTest, TakesTheLastItem) {
    EXPECT_EQ(FolderNameOf(GetParam().source), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FolderNameTest,
    ::testing::Values(FolderNameCase{L"C:\\Data\\Photos", L"Photos"},
                      FolderNameCase{L"C:\\Work\\ Old", L"Old"},
                      FolderNameCase{L"C:\\Data\\Bob's Files", L"Bob's Files"},
                      // A closed quote ends its stretch; the next backslash separates again.
                      FolderNameCase{L"C:\\'a\\b'\\c", L"c"},
                      // Empty items between separators are dropped.
                      FolderNameCase{L"C:\\Data\\\\", L"Data"},
                      FolderNameCase{L"C:\\Data\r\nPics ", L"Pics "}, FolderNameCase{L"", L""}));

// A quote opened above the last folder would make an item of several folders,
// which the run cannot make in one level; a drive designator cannot be a
// folder name at all.
INSTANTIATE_TEST_SUITE_P(
    MadeInOneLevel, FolderNameTest,
    ::testing::Values(FolderNameCase{L"C:\\Users\\O'Brien\\Documents", L"Documents"},
                      FolderNameCase{L"C:\\Bob's\\Docs", L"Docs"},
                      FolderNameCase{L"C:\\Users\\\"Al\\Docs", L"Docs"},
                      FolderNameCase{L"C:\\O'Brien\\ Old", L"Old"},
                      FolderNameCase{L"C:\\O'Brien\\", L"O'Brien"},
                      FolderNameCase{L"C:\\'a\\b'", L"b'"},
                      // No Windows name holds a double quote, so such a
                      // source never exists on the disk.
                      FolderNameCase{L"C:\\\"a\\b\"", L"b\""}, FolderNameCase{L"C:\\", L"C"},
                      FolderNameCase{L"d:", L"d"}, FolderNameCase{L"D:\\\\", L"D"}));

TEST(JobFolderOf, JoinsDestinationAndFolderNameWithOneBackslash) {
    EXPECT_EQ(JobFolderOf(L"C:\\Data", L"E:\\backup"), L"E:\\backup\\Data");
    EXPECT_EQ(JobFolderOf(L"C:\\Data", L"E:\\backup\\"), L"E:\\backup\\Data");
    EXPECT_EQ(JobFolderOf(L"C:\\Users\\O'Brien\\Music", L"E:\\backup"), L"E:\\backup\\Music");
    EXPECT_EQ(JobFolderOf(L"C:\\", L"E:\\other"), L"E:\\other\\C");
}

} // namespace
} // namespace stowkeep::backup
