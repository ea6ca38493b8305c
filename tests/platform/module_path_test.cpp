#include "platform/fake/fake_module_path.h"
#include "platform/module_path.h"

#include <gtest/gtest.h>

namespace stowkeep::platform {
namespace {

struct BesideCase {
    const wchar_t* executable;
    const wchar_t* folder;
    const wchar_t* beside; // Hatchlink.dll next to it
};

const BesideCase kBesideCases[] = {
    {L"C:\\Tools\\Device\\Stowkeep(KD-RX710).exe", L"C:\\Tools\\Device\\",
     L"C:\\Tools\\Device\\Hatchlink.dll"},
    {L"C:\\Stowkeep(KD-RX710).exe", L"C:\\", L"C:\\Hatchlink.dll"},
    {L"\\\\server\\share\\app\\s.exe", L"\\\\server\\share\\app\\",
     L"\\\\server\\share\\app\\Hatchlink.dll"},
};

class FileBesideExecutableTest : public ::testing::TestWithParam<BesideCase> {};

TEST_P(FileBesideExecutableTest, JoinsWithExactlyOneBackslash) {
    const BesideCase& c = GetParam();
    EXPECT_EQ(FolderOf(c.executable), c.folder);
    EXPECT_EQ(FileBesideExecutable(fake::FakeModulePath(c.executable), L"Hatchlink.dll"), c.beside);
}

INSTANTIATE_TEST_SUITE_P(Folders, FileBesideExecutableTest, ::testing::ValuesIn(kBesideCases));

TEST(JoinFolderAndNameTest, DropsOnlyOneTrailingBackslash) {
    EXPECT_EQ(JoinFolderAndName(L"C:\\Tools", L"set.ini"), L"C:\\Tools\\set.ini");
    EXPECT_EQ(JoinFolderAndName(L"C:\\Tools\\", L"set.ini"), L"C:\\Tools\\set.ini");
    EXPECT_EQ(JoinFolderAndName(L"C:\\Tools\\\\", L"set.ini"), L"C:\\Tools\\\\set.ini");
}

} // namespace
} // namespace stowkeep::platform
