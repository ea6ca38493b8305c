// A job whose source lies deeper than MAX_PATH: the backup page's checks
// accept it and the run copies its files, on the in-memory file system under
// the program's long-path layer.

#include "backup_ui_fixture.h"

#include <gmock/gmock.h>

namespace stowkeep::backup::testing {
namespace {

// Folder names of 40 characters.
std::wstring Level(int n) {
    std::wstring name = L"Level-" + std::to_wstring(n) + L"-";
    return name + std::wstring(40 - name.size(), L'n');
}

std::wstring Levels(int first, int last) {
    std::wstring path;
    for (int n = first; n <= last; ++n) {
        path += L"\\" + Level(n);
    }
    return path;
}

TEST_F(BackupUiTest, DeepSourcePassesTheChecksOfAddAndIsCopiedWhole) {
    const std::wstring source = L"C:\\Data" + Levels(1, 7);
    const std::wstring inside = Levels(8, 13) + L"\\deep.bin";
    const std::string content(3000, 'd');
    files.AddFile(source + inside, content);
    files.AddFolder(L"E:\\backup");
    ASSERT_GT(source.size(), platform::kMaxPlainPath);

    page->JvDirectoryEdit1.setText(source);
    page->JvDirectoryEdit2.setText(L"E:\\backup");
    page->spSkinButton3.click();
    page->spSkinButton1.click();

    EXPECT_THAT(Texts(), ::testing::IsEmpty());
    EXPECT_EQ(Stored(L"BackupSource", L"1"), source);
    const std::wstring copy = L"E:\\backup\\" + Level(7) + inside;
    ASSERT_GT(copy.size(), 260u);
    EXPECT_TRUE(files.Content(copy) == content) << "the deepest file was not copied whole";
    EXPECT_EQ(CopyWindow()->spSkinStdLabel2.text(), L"Error : 0");
}

} // namespace
} // namespace stowkeep::backup::testing
