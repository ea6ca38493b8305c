#include "backup_ui_fixture.h"
#include "ui/compact_text.h"

namespace stowkeep::backup::testing {
namespace {

// A text as a label of `width` characters shows it, one unit per character.
std::wstring Shown(const ui::Label& label, int width) {
    auto yieldFirst = label.compaction();
    if (!yieldFirst) {
        return label.text().substr(0, static_cast<std::size_t>(width));
    }
    return ui::compactMiddle(
        label.text(), width, [](std::wstring_view text) { return static_cast<int>(text.size()); },
        *yieldFirst);
}

class CopyWindowLinesTest : public BackupUiTest {
  protected:
    // 120 characters, ending in the folder the job copies into.
    const std::wstring source = L"C:\\" + std::wstring(110, L'x') + L"\\Photos";
};

TEST_F(CopyWindowLinesTest, LongSourceGivesWayOnTheJobLineSoTheDestinationStaysReadable) {
    ASSERT_EQ(source.size(), 120U);
    files.AddFile(source + L"\\p.jpg", "picture");
    StoreJobs({{source, L"E:\\backup"}});

    page->spSkinButton1.click();

    const ui::Label& line = CopyWindow()->spSkinStdLabel1;
    EXPECT_EQ(line.text(), L"From : " + source + L"  ----->  To: E:\\backup\\Photos")
        << "the window text stays whole";
    const std::wstring shown = Shown(line, 80);
    EXPECT_TRUE(shown.starts_with(L"From : C:\\xx")) << std::string(shown.begin(), shown.end());
    EXPECT_TRUE(shown.ends_with(L"xx\\Photos  ----->  To: E:\\backup\\Photos"))
        << std::string(shown.begin(), shown.end());
    EXPECT_EQ(shown.size(), 80U) << "the source's middle gave way";
}

TEST_F(CopyWindowLinesTest, LongFilePathKeepsItsStartAndItsFileName) {
    const std::wstring file = source + L"\\a long picture name.jpg";
    files.AddFile(file, "picture");
    StoreJobs({{source, L"E:\\backup"}});

    page->spSkinButton1.click();

    const ui::Label& path = CopyWindow()->spSkinStdLabel4;
    EXPECT_EQ(path.text(), file);
    const std::wstring shown = Shown(path, 60);
    EXPECT_TRUE(shown.starts_with(L"C:\\xx")) << std::string(shown.begin(), shown.end());
    EXPECT_TRUE(shown.ends_with(L"xx\\Photos\\a long picture name.jpg"))
        << std::string(shown.begin(), shown.end());
    EXPECT_EQ(shown.size(), 60U) << "the folders' middle gave way";
}

} // namespace
} // namespace stowkeep::backup::testing
