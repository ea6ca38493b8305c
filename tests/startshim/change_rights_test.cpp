// The launcher's protection check on the real system (under Wine): a folder
// that the user running the test made is theirs to change, so it must never
// pass for one that only administrators can change.
#include "startshim/win32/change_rights.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace stowkeep::startshim::win32 {
namespace {

namespace fs = std::filesystem;

struct RightsCase {
    const char* name;
    bool library_present;
};

class ChangeRightsTest : public ::testing::TestWithParam<RightsCase> {};

TEST_P(ChangeRightsTest, FolderOfTheUserIsChangeable) {
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    const fs::path folder = fs::path(temp) / (std::string("stowkeep-rights-") + GetParam().name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "Stowkeep(KD-RX710).exe") << "program";
    if (GetParam().library_present) {
        std::ofstream(folder / "Hatchlink.dll") << "library";
    }
    const std::wstring prefix = folder.wstring() + L"\\";

    EXPECT_FALSE(OnlyAdministratorsCanChange({prefix, prefix + L"Stowkeep(KD-RX710).exe"}));

    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(Cases, ChangeRightsTest,
                         ::testing::Values(RightsCase{"WithLibrary", true},
                                           RightsCase{"WithoutLibrary", false}),
                         [](const auto& test_case) { return std::string(test_case.param.name); });

} // namespace
} // namespace stowkeep::startshim::win32
