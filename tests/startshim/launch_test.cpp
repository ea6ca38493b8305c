#include "startshim/launch.h"

#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace stowkeep::startshim {
namespace {

struct LocationCase {
    const wchar_t* module_path;
    std::optional<std::wstring> folder; // nothing: no program location
};

class ProgramBesideTest : public ::testing::TestWithParam<LocationCase> {};

TEST_P(ProgramBesideTest, ProgramLiesInTheLauncherFolder) {
    const auto& c = GetParam();
    const auto location = ProgramBeside(c.module_path);
    ASSERT_EQ(location.has_value(), c.folder.has_value());
    if (location) {
        EXPECT_EQ(location->folder, *c.folder);
        EXPECT_EQ(location->file, *c.folder + L"Stowkeep(KD-RX710).exe");
    }
}

INSTANTIATE_TEST_SUITE_P(
    ModulePaths, ProgramBesideTest,
    ::testing::Values(LocationCase{L"C:\\Program Files\\Stowkeep\\Startshim.exe",
                                   L"C:\\Program Files\\Stowkeep\\"},
                      LocationCase{L"C:\\Startshim.exe", L"C:\\"},
                      LocationCase{L"\\\\server\\share\\Apps (x86)\\Startshim.exe",
                                   L"\\\\server\\share\\Apps (x86)\\"},
                      LocationCase{L"\\\\?\\C:\\Stowkeep.d\\Startshim.exe",
                                   L"\\\\?\\C:\\Stowkeep.d\\"},
                      LocationCase{L"Z:/work/bin/Startshim.exe", L"Z:/work/bin/"},
                      LocationCase{L"Startshim.exe", std::nullopt}, LocationCase{L"", std::nullopt},
                      LocationCase{L"C:\\Stowkeep\\", std::nullopt}));

// Records what the launcher asked of the system.
class FakeLaunchSystem final : public LaunchSystem {
  public:
    bool running = false;
    std::wstring module_path = L"D:\\Tools\\Stowkeep\\Startshim.exe";
    std::wstring existing_file = L"D:\\Tools\\Stowkeep\\Stowkeep(KD-RX710).exe";
    bool start_succeeds = true;

    std::wstring checked_file;
    std::optional<std::wstring> started_file;
    std::wstring started_folder;

    bool InstanceRunning() override { return running; }
    std::wstring ModulePath() override { return module_path; }
    bool FileExists(const std::wstring& path) override {
        checked_file = path;
        return path == existing_file;
    }
    bool Start(const std::wstring& file, const std::wstring& folder) override {
        started_file = file;
        started_folder = folder;
        return start_succeeds;
    }
};

struct RunCase {
    const char* name;
    bool running;
    bool program_present;
    bool start_succeeds;
    ExitCode expected;
    bool expect_start;
};

class RunStartshimTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(RunStartshimTest, ExitCodeAndStart) {
    const auto& c = GetParam();
    FakeLaunchSystem system;
    system.running = c.running;
    if (!c.program_present) {
        system.existing_file = L"D:\\Elsewhere\\Stowkeep(KD-RX710).exe";
    }
    system.start_succeeds = c.start_succeeds;

    EXPECT_EQ(RunStartshim(system), c.expected);
    ASSERT_EQ(system.started_file.has_value(), c.expect_start);
    if (c.expect_start) {
        EXPECT_EQ(*system.started_file, L"D:\\Tools\\Stowkeep\\Stowkeep(KD-RX710).exe");
        EXPECT_EQ(system.started_folder, L"D:\\Tools\\Stowkeep\\");
    }
    if (!c.running) {
        EXPECT_EQ(system.checked_file, L"D:\\Tools\\Stowkeep\\Stowkeep(KD-RX710).exe");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunStartshimTest,
    ::testing::Values(
        RunCase{"Starts", false, true, true, ExitCode::kStartedOrRunning, true},
        RunCase{"AlreadyRunning", true, true, true, ExitCode::kStartedOrRunning, false},
        RunCase{"ProgramMissing", false, false, true, ExitCode::kProgramMissing, false},
        RunCase{"StartFails", false, true, false, ExitCode::kStartFailed, true}),
    [](const auto& test_case) { return std::string(test_case.param.name); });

TEST(RunStartshim, ModulePathWithoutFolderStartsNothing) {
    FakeLaunchSystem system;
    system.module_path = L"Startshim.exe";
    system.existing_file = L"Stowkeep(KD-RX710).exe";

    EXPECT_EQ(RunStartshim(system), ExitCode::kProgramMissing);
    EXPECT_FALSE(system.started_file.has_value());
}

} // namespace
} // namespace stowkeep::startshim
