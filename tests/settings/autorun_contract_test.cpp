#include "settings/autorun.h"
#include "tests/platform/contract_world.h"

#include <gtest/gtest.h>

namespace stowkeep::contract {
namespace {

using settings::Autorun;
using settings::kAutorunValueName;
using settings::kRunKeyPath;
using settings::SettingsFile;

// The cases use the current user's real Run key; the world puts back whatever
// value "Stowkeep" it had.
class AutorunContract : public ::testing::TestWithParam<WorldKind> {
  protected:
    void SetUp() override {
        world_ = MakeWorld(GetParam());
        path_ = world_->Folder() + L"\\set.ini";
        file_ = std::make_unique<SettingsFile>(world_->Profile(), path_);
        autorun_ = std::make_unique<Autorun>(world_->Registry(), world_->Folder() + L"\\");
        world_->Registry().DeleteValue(kRunKeyPath, kAutorunValueName);
    }

    std::optional<std::wstring> RunValue() {
        return world_->Registry().ReadString(kRunKeyPath, kAutorunValueName);
    }

    std::unique_ptr<ContractWorld> world_;
    std::wstring path_;
    std::unique_ptr<SettingsFile> file_;
    std::unique_ptr<Autorun> autorun_;
};

TEST_P(AutorunContract, SetNamesStartshimBesideTheExecutableAndClearRemovesIt) {
    ASSERT_TRUE(autorun_->Set());
    EXPECT_EQ(RunValue(), world_->Folder() + L"\\Startshim.exe");

    autorun_->Clear();
    EXPECT_FALSE(RunValue().has_value());
    autorun_->Clear(); // clearing a value that is not there is no error
    EXPECT_FALSE(RunValue().has_value());
}

TEST_P(AutorunContract, CheckTurnsRunOnWhenTheValueIsPresent) {
    world_->PutFile(path_, "[Auto]\r\nRun=off\r\nBackUp=on\r\n");
    ASSERT_TRUE(world_->Registry().WriteString(kRunKeyPath, kAutorunValueName, L"D:\\Other.exe"));

    EXPECT_TRUE(autorun_->Check(*file_));
    EXPECT_EQ(file_->ReadText(L"Auto", L"Run", L"off"), L"on");
    EXPECT_EQ(file_->ReadText(L"Auto", L"BackUp", L"off"), L"on");
    EXPECT_EQ(RunValue(), L"D:\\Other.exe");
}

TEST_P(AutorunContract, CheckTakesAnExpandableValueAndPassesOverANumber) {
    world_->PutValue(std::wstring(kRunKeyPath), std::wstring(kAutorunValueName),
                     ContractWorld::ValueType::Number, L"");
    EXPECT_TRUE(autorun_->Check(*file_));
    EXPECT_FALSE(world_->FileText(path_).has_value());

    world_->PutValue(std::wstring(kRunKeyPath), std::wstring(kAutorunValueName),
                     ContractWorld::ValueType::ExpandString, L"%ProgramFiles%\\Startshim.exe");
    EXPECT_TRUE(autorun_->Check(*file_));
    EXPECT_EQ(file_->ReadText(L"Auto", L"Run", L"off"), L"on");
}

TEST_P(AutorunContract, CheckNeverWritesOffNorCreatesTheFile) {
    EXPECT_TRUE(autorun_->Check(*file_));
    EXPECT_FALSE(world_->FileText(path_).has_value());

    ASSERT_TRUE(world_->Registry().WriteString(kRunKeyPath, kAutorunValueName, L""));
    EXPECT_TRUE(autorun_->Check(*file_));
    EXPECT_FALSE(world_->FileText(path_).has_value());

    world_->PutFile(path_, "[Auto]\r\nRun=on\r\n");
    world_->Registry().DeleteValue(kRunKeyPath, kAutorunValueName);
    EXPECT_TRUE(autorun_->Check(*file_));
    EXPECT_EQ(file_->ReadText(L"Auto", L"Run", L"off"), L"on");
}

TEST_P(AutorunContract, CheckReportsARefusedWrite) {
    ASSERT_TRUE(autorun_->Set());
    world_->MakeFolder(path_);
    EXPECT_FALSE(autorun_->Check(*file_));
}

INSTANTIATE_TEST_SUITE_P(Worlds, AutorunContract, ::testing::ValuesIn(AvailableWorlds()),
                         WorldNamer{});

} // namespace
} // namespace stowkeep::contract
