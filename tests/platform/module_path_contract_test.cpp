#include "platform/module_path.h"
#include "tests/platform/contract_world.h"

#include <gtest/gtest.h>

namespace stowkeep::contract {
namespace {

class ModulePathContract : public ::testing::TestWithParam<WorldKind> {};

TEST_P(ModulePathContract, ExecutablePathIsAFullPathEndingInOurFileName) {
    const auto world = MakeWorld(GetParam());
    const std::wstring path = world->Module().ExecutablePath();
    const std::wstring name = world->OwnExeName();

    ASSERT_GT(path.size(), 3 + name.size());
    EXPECT_EQ(path.substr(1, 2), L":\\") << testing::PrintToString(path);
    EXPECT_EQ(path.substr(path.size() - name.size() - 1), L"\\" + name);
    EXPECT_EQ(platform::FileBesideExecutable(world->Module(), name), path);
}

INSTANTIATE_TEST_SUITE_P(Worlds, ModulePathContract, ::testing::ValuesIn(AvailableWorlds()),
                         WorldNamer{});

} // namespace
} // namespace stowkeep::contract
