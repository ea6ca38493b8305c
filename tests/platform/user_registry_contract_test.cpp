#include "tests/platform/contract_world.h"

#include <algorithm>
#include <cwctype>
#include <gtest/gtest.h>
#include <optional>

namespace stowkeep::contract {
namespace {

class UserRegistryContract : public ::testing::TestWithParam<WorldKind> {
  protected:
    void SetUp() override {
        world_ = MakeWorld(GetParam());
        key_ = world_->ScratchKey();
    }

    platform::UserRegistry& Registry() { return world_->Registry(); }

    std::unique_ptr<ContractWorld> world_;
    std::wstring key_;
};

TEST_P(UserRegistryContract, StringValueIsWrittenReplacedAndDeleted) {
    EXPECT_FALSE(Registry().ReadString(key_, L"Stowkeep").has_value());

    ASSERT_TRUE(Registry().WriteString(key_, L"Stowkeep", L"C:\\Tools\\Startshim.exe"));
    EXPECT_EQ(Registry().ReadString(key_, L"Stowkeep"), L"C:\\Tools\\Startshim.exe");

    ASSERT_TRUE(Registry().WriteString(key_, L"Stowkeep", L"C:\\Startshim.exe"));
    EXPECT_EQ(Registry().ReadString(key_, L"Stowkeep"), L"C:\\Startshim.exe");

    EXPECT_TRUE(Registry().DeleteValue(key_, L"Stowkeep"));
    EXPECT_FALSE(Registry().ReadString(key_, L"Stowkeep").has_value());
    EXPECT_FALSE(Registry().DeleteValue(key_, L"Stowkeep"));
}

TEST_P(UserRegistryContract, EmptyDataIsAValueAndNamesMatchInAnyCase) {
    ASSERT_TRUE(Registry().WriteString(key_, L"Empty", L""));
    EXPECT_EQ(Registry().ReadString(key_, L"Empty"), L"");

    ASSERT_TRUE(Registry().WriteString(key_, L"Stowkeep", L"x"));
    EXPECT_EQ(Registry().ReadString(key_, L"STOWKEEP"), L"x");
    std::wstring upperKey(key_);
    std::transform(upperKey.begin(), upperKey.end(), upperKey.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towupper(c)); });
    EXPECT_EQ(Registry().ReadString(upperKey, L"stowkeep"), L"x");
}

TEST_P(UserRegistryContract, MissingKeyIsNeverCreated) {
    const std::wstring missing = world_->MissingKey();
    EXPECT_FALSE(Registry().ReadString(missing, L"Stowkeep").has_value());
    EXPECT_FALSE(Registry().WriteString(missing, L"Stowkeep", L"C:\\Startshim.exe"));
    EXPECT_FALSE(Registry().DeleteValue(missing, L"Stowkeep"));
    EXPECT_FALSE(world_->KeyExists(missing));
}

struct TypeCase {
    ContractWorld::ValueType type;
    const wchar_t* stored;
    std::optional<std::wstring> read;
};

const TypeCase kTypeCases[] = {
    {ContractWorld::ValueType::String, L"C:\\Tools\\Startshim.exe", L"C:\\Tools\\Startshim.exe"},
    {ContractWorld::ValueType::ExpandString, L"%ProgramFiles%\\Tools\\Startshim.exe",
     L"%ProgramFiles%\\Tools\\Startshim.exe"},
    {ContractWorld::ValueType::Number, L"", std::nullopt},
};

TEST_P(UserRegistryContract, PlainAndExpandableStringsReadAsStoredAndOtherTypesNot) {
    for (const TypeCase& c : kTypeCases) {
        world_->PutValue(key_, L"Stowkeep", c.type, c.stored);
        EXPECT_EQ(Registry().ReadString(key_, L"Stowkeep"), c.read)
            << "type " << static_cast<int>(c.type);
    }
}

INSTANTIATE_TEST_SUITE_P(Worlds, UserRegistryContract, ::testing::ValuesIn(AvailableWorlds()),
                         WorldNamer{});

} // namespace
} // namespace stowkeep::contract
