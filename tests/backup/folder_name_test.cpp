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
                      FolderNameCase{L"C:\\Work\\ Old", L"Old"}, FolderNameCase{L"C:\\", L"C:"},
                      FolderNameCase{L"C:\\Bob's\\Docs", L"Bob's\\Docs"},
                      // A closed quote ends its stretch; the next backslash separates again.
                      FolderNameCase{L"C:\\'a\\b'\\c", L"c"},
                      FolderNameCase{L"C:\\\"a\\b\"", L"\"a\\b\""},
                      // Empty items between separators are dropped.
                      FolderNameCase{L"C:\\Data\\\\", L"Data"},
                      FolderNameCase{L"C:\\Data\r\nPics ", L"Pics "}, FolderNameCase{L"", L""}));

} // namespace
} // namespace stowkeep::backup
