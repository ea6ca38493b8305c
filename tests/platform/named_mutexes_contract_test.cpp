#include "tests/platform/contract_world.h"

#include <gtest/gtest.h>

namespace stowkeep::contract {
namespace {

class NamedMutexesContract : public ::testing::TestWithParam<WorldKind> {
  protected:
    void SetUp() override {
        world_ = MakeWorld(GetParam());
        name_ = L"StowkeepContract-" + std::to_wstring(world_->Processes().CurrentProcessId());
    }

    platform::NamedMutexes& Mutexes() { return world_->Mutexes(); }

    std::unique_ptr<ContractWorld> world_;
    std::wstring name_;
};

TEST_P(NamedMutexesContract, SecondCreateFindsTheFirstUntilAllHandlesAreClosed) {
    auto first = Mutexes().Create(name_);
    ASSERT_TRUE(first.handle);
    EXPECT_FALSE(first.alreadyExisted);

    auto second = Mutexes().Create(name_);
    ASSERT_TRUE(second.handle);
    EXPECT_TRUE(second.alreadyExisted);

    first.handle.reset();
    EXPECT_TRUE(Mutexes().Create(name_).alreadyExisted);

    second.handle.reset();
    const auto again = Mutexes().Create(name_);
    ASSERT_TRUE(again.handle);
    EXPECT_FALSE(again.alreadyExisted);
}

TEST_P(NamedMutexesContract, NamesAreCaseSensitive) {
    const auto lower = Mutexes().Create(name_ + L"-case");
    const auto upper = Mutexes().Create(name_ + L"-CASE");
    ASSERT_TRUE(lower.handle);
    ASSERT_TRUE(upper.handle);
    EXPECT_FALSE(upper.alreadyExisted);
}

INSTANTIATE_TEST_SUITE_P(Worlds, NamedMutexesContract, ::testing::ValuesIn(AvailableWorlds()),
                         WorldNamer{});

} // namespace
} // namespace stowkeep::contract
