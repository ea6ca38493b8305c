#include "platform/fake/fake_module_path.h"
#include "platform/fake/fake_profile_files.h"
#include "platform/fake/fake_user_registry.h"
#include "settings/autorun.h"
#include "settings/settings_path.h"

#include <gtest/gtest.h>

namespace stowkeep::settings {
namespace {

using platform::fake::FakeModulePath;
using platform::fake::FakeProfileFiles;
using platform::fake::FakeUserRegistry;

struct PlaceCase {
    const wchar_t* executable;
    const wchar_t* settingsFile;
    const wchar_t* autorunData;
};

const PlaceCase kPlaces[] = {
    {L"C:\\Tools\\Device\\Stowkeep(KD-RX710).exe", L"C:\\Tools\\Device\\set.ini",
     L"C:\\Tools\\Device\\Startshim.exe"},
    {L"C:\\Stowkeep(KD-RX710).exe", L"C:\\set.ini", L"C:\\Startshim.exe"},
};

class BesideTheExecutableTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(BesideTheExecutableTest, SettingsFileAndAutorunDataNameItsFolder) {
    const PlaceCase& c = GetParam();
    const FakeModulePath module(c.executable);
    FakeUserRegistry registry;
    EXPECT_EQ(SettingsFilePath(module), c.settingsFile);
    EXPECT_EQ(Autorun(registry, platform::FolderOf(c.executable)).Data(), c.autorunData);
}

INSTANTIATE_TEST_SUITE_P(Places, BesideTheExecutableTest, ::testing::ValuesIn(kPlaces));

TEST(AutorunDataTest, FolderWithOrWithoutTrailingBackslashGivesOnePath) {
    FakeUserRegistry registry;
    EXPECT_EQ(Autorun(registry, L"C:\\Tools\\Device").Data(), L"C:\\Tools\\Device\\Startshim.exe");
    EXPECT_EQ(Autorun(registry, L"C:\\Tools\\Device\\").Data(),
              L"C:\\Tools\\Device\\Startshim.exe");
}

class AutorunRefusalTest : public ::testing::Test {
  protected:
    AutorunRefusalTest() { files_.AddFolder(L"C:\\Tools"); }

    FakeUserRegistry registry_;
    FakeProfileFiles files_;
    SettingsFile file_{files_, L"C:\\Tools\\set.ini"};
    Autorun autorun_{registry_, L"C:\\Tools\\"};
};

TEST_F(AutorunRefusalTest, RefusedValueWriteIsReportedByTheValueName) {
    registry_.AddKey(kRunKeyPath);
    ASSERT_TRUE(registry_.WriteString(kRunKeyPath, kAutorunValueName, L"D:\\Old\\Startshim.exe"));
    registry_.SetRefusesWrites(kRunKeyPath, true);

    EXPECT_FALSE(autorun_.Set());
    EXPECT_EQ(autorun_.SetErrorText(), L"Failed to set data for 'Stowkeep'");
    EXPECT_EQ(registry_.ReadString(kRunKeyPath, kAutorunValueName), L"D:\\Old\\Startshim.exe");
}

TEST_F(AutorunRefusalTest, AbsentRunKeyIsNeitherCreatedNorAnError) {
    EXPECT_FALSE(autorun_.Set());
    EXPECT_FALSE(registry_.HasKey(kRunKeyPath));
    autorun_.Clear();
    EXPECT_TRUE(autorun_.Check(file_));
    EXPECT_FALSE(files_.FileText(L"C:\\Tools\\set.ini").has_value());
}

} // namespace
} // namespace stowkeep::settings
