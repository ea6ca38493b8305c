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
    std::optional<std::wstring> task_program; // nothing: no elevated task
    bool only_administrators_can_change = true;
    bool task_runs = true;

    std::wstring checked_file;
    std::optional<std::wstring> started_file;
    std::wstring started_folder;
    int task_runs_asked = 0;
    std::wstring checked_location; // folder whose protection was asked about

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
    std::optional<std::wstring> ElevatedTaskProgram() override { return task_program; }
    bool OnlyAdministratorsCanChange(const ProgramLocation& location) override {
        checked_location = location.folder;
        return only_administrators_can_change;
    }
    bool RunElevatedTask() override {
        ++task_runs_asked;
        return task_runs;
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

constexpr const wchar_t* kProgramHere = L"D:\\Tools\\Stowkeep\\Stowkeep(KD-RX710).exe";

struct TaskCase {
    const char* name;
    std::optional<std::wstring> task_program;
    bool only_administrators_can_change;
    bool task_runs;
    bool start_succeeds;
    bool expect_task_run;
    bool expect_plain_start;
    ExitCode expected;
};

class ElevatedTaskTest : public ::testing::TestWithParam<TaskCase> {};

TEST_P(ElevatedTaskTest, TaskOnlyForThisProtectedProgramElsePlainStart) {
    const auto& c = GetParam();
    FakeLaunchSystem system;
    system.task_program = c.task_program;
    system.only_administrators_can_change = c.only_administrators_can_change;
    system.task_runs = c.task_runs;
    system.start_succeeds = c.start_succeeds;

    EXPECT_EQ(RunStartshim(system), c.expected);
    EXPECT_EQ(system.task_runs_asked, c.expect_task_run ? 1 : 0);
    EXPECT_EQ(system.started_file.has_value(), c.expect_plain_start);
    if (c.expect_task_run) {
        EXPECT_EQ(system.checked_location, L"D:\\Tools\\Stowkeep\\");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ElevatedTaskTest,
    ::testing::Values(TaskCase{"TaskStartsThisProgram", kProgramHere, true, true, true, true, false,
                               ExitCode::kStartedOrRunning},
                      TaskCase{"TaskPathInOtherLetterCase",
                               L"d:\\tools\\stowkeep\\stowkeep(kd-rx710).EXE", true, true, true,
                               true, false, ExitCode::kStartedOrRunning},
                      TaskCase{"NoTask", std::nullopt, true, true, true, false, true,
                               ExitCode::kStartedOrRunning},
                      TaskCase{"TaskStartsAnotherFolder",
                               L"C:\\Program Files\\Stowkeep\\Stowkeep(KD-RX710).exe", true, true,
                               true, false, true, ExitCode::kStartedOrRunning},
                      TaskCase{"UserCanChangeTheFolder", kProgramHere, false, true, true, false,
                               true, ExitCode::kStartedOrRunning},
                      TaskCase{"TaskDoesNotRun", kProgramHere, true, false, true, true, true,
                               ExitCode::kStartedOrRunning},
                      TaskCase{"TaskDoesNotRunNorPlainStart", kProgramHere, true, false, false,
                               true, true, ExitCode::kStartFailed}),
    [](const auto& test_case) { return std::string(test_case.param.name); });

TEST(RunStartshim, NoTaskRunWhenRunningOrMissing) {
    FakeLaunchSystem running;
    running.running = true;
    running.task_program = kProgramHere;
    EXPECT_EQ(RunStartshim(running), ExitCode::kStartedOrRunning);
    EXPECT_EQ(running.task_runs_asked, 0);

    FakeLaunchSystem missing;
    missing.existing_file = L"D:\\Elsewhere\\Stowkeep(KD-RX710).exe";
    missing.task_program = kProgramHere;
    EXPECT_EQ(RunStartshim(missing), ExitCode::kProgramMissing);
    EXPECT_EQ(missing.task_runs_asked, 0);
}

TEST(RunStartshim, ModulePathWithoutFolderStartsNothing) {
    FakeLaunchSystem system;
    system.module_path = L"Startshim.exe";
    system.existing_file = L"Stowkeep(KD-RX710).exe";

    EXPECT_EQ(RunStartshim(system), ExitCode::kProgramMissing);
    EXPECT_FALSE(system.started_file.has_value());
}

} // namespace
} // namespace stowkeep::startshim
