#include "tests/platform/contract_world.h"

#include <gtest/gtest.h>

namespace stowkeep::contract {
namespace {

class LibrariesContract : public ::testing::TestWithParam<WorldKind> {
  protected:
    void SetUp() override {
        world_ = MakeWorld(GetParam());
        path_ = world_->ProbeLibraryPath();
    }

    platform::Libraries& Libraries() { return world_->Libraries(); }

    std::unique_ptr<ContractWorld> world_;
    std::wstring path_;
};

TEST_P(LibrariesContract, ExportsAreFoundByTheirExactName) {
    const auto library = Libraries().Load(path_);
    ASSERT_TRUE(library);

    const auto probe = library->Find("StowkeepProbe");
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe(), 7);
    EXPECT_FALSE(library->Find("stowkeepprobe"));
    EXPECT_FALSE(library->Find("DllSet"));
}

TEST_P(LibrariesContract, LibraryStaysLoadedUntilItsLastHandleGoes) {
    EXPECT_FALSE(world_->IsLoaded(path_));
    auto first = Libraries().Load(path_);
    auto second = Libraries().Load(path_);
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_TRUE(world_->IsLoaded(path_));

    first.reset();
    EXPECT_TRUE(world_->IsLoaded(path_));
    second.reset();
    EXPECT_FALSE(world_->IsLoaded(path_));
}

TEST_P(LibrariesContract, MissingLibraryDoesNotLoad) {
    EXPECT_FALSE(Libraries().Load(world_->Folder() + L"\\Hatchlink.dll"));
}

INSTANTIATE_TEST_SUITE_P(Worlds, LibrariesContract, ::testing::ValuesIn(AvailableWorlds()),
                         WorldNamer{});

} // namespace
} // namespace stowkeep::contract
