// Runs the real Startshim.exe beside a stand-in program and checks which
// program it starts, from which folder, and when it leaves the start alone.
#include "tests/startshim/standin_names.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <string>
#include <windows.h>

namespace stowkeep::test {
namespace {

namespace fs = std::filesystem;

constexpr DWORD kFailsafeWaitMs = 60'000;
constexpr const wchar_t* kProgramName = L"Stowkeep(KD-RX710).exe";

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

fs::path OwnFolder() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return fs::path(path).parent_path();
}

std::wstring ReadMarker(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()),
                        bytes.size() / sizeof(wchar_t));
}

struct LaunchOutcome {
    DWORD exit_code = 0xFFFFFFFF;
    ULONG processes_in_job = 0; // the launcher and whatever it started
};

// Starts the launcher suspended inside a job so that every process it starts
// is counted, then waits for it to end.
LaunchOutcome RunLauncher(const fs::path& launcher, const fs::path& current_folder) {
    // Wine starts a desktop's explorer.exe for the first process that uses the
    // desktop; let that be this test, so the job counts no such helper.
    GetDesktopWindow();
    UniqueHandle job(CreateJobObjectW(nullptr, nullptr));
    EXPECT_TRUE(job);
    std::wstring command_line = L"\"" + launcher.wstring() + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    LaunchOutcome outcome;
    if (!CreateProcessW(launcher.c_str(), command_line.data(), nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED, nullptr, current_folder.c_str(), &startup, &process)) {
        ADD_FAILURE() << "launcher did not start, error " << GetLastError();
        return outcome;
    }
    UniqueHandle process_handle(process.hProcess);
    UniqueHandle thread_handle(process.hThread);
    EXPECT_TRUE(AssignProcessToJobObject(job.get(), process.hProcess));
    ResumeThread(process.hThread);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, kFailsafeWaitMs), WAIT_OBJECT_0);
    GetExitCodeProcess(process.hProcess, &outcome.exit_code);
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
    EXPECT_TRUE(QueryInformationJobObject(job.get(), JobObjectBasicAccountingInformation,
                                          &accounting, sizeof(accounting), nullptr));
    outcome.processes_in_job = accounting.TotalProcesses;
    return outcome;
}

struct LaunchCase {
    const char* name;
    bool program_present;
    bool instance_running;
    DWORD expected_exit;
    bool expect_started;
};

class StartshimLaunchTest : public ::testing::TestWithParam<LaunchCase> {};

TEST_P(StartshimLaunchTest, StartsTheProgramBesideItselfOnlyWhenNoneRuns) {
    const auto& c = GetParam();
    const fs::path payload = OwnFolder() / L"payload";
    const fs::path root = OwnFolder() / L"startshim_run" / c.name;
    const fs::path program_folder = root / L"Program Files (x86)" / L"Stowkeep";
    const fs::path elsewhere = root / L"elsewhere";
    fs::remove_all(root);
    fs::create_directories(program_folder);
    fs::create_directories(elsewhere);
    fs::copy_file(payload / L"Startshim.exe", program_folder / L"Startshim.exe");
    if (c.program_present) {
        fs::copy_file(payload / kProgramName, program_folder / kProgramName);
    }
    // A decoy in the current folder catches a launcher that looks there.
    fs::copy_file(payload / kProgramName, elsewhere / kProgramName);

    UniqueHandle done(CreateEventW(nullptr, TRUE, FALSE, std::wstring(kStandinDoneEvent).c_str()));
    ASSERT_TRUE(done);
    ResetEvent(done.get());
    UniqueHandle instance;
    if (c.instance_running) {
        instance.reset(CreateMutexW(nullptr, TRUE, L"Mutex_Velko"));
        ASSERT_TRUE(instance);
    }

    const LaunchOutcome outcome = RunLauncher(program_folder / L"Startshim.exe", elsewhere);

    EXPECT_EQ(outcome.exit_code, c.expected_exit);
    EXPECT_EQ(outcome.processes_in_job, c.expect_started ? 2u : 1u);
    if (c.expect_started) {
        ASSERT_EQ(WaitForSingleObject(done.get(), kFailsafeWaitMs), WAIT_OBJECT_0);
        const fs::path marker = program_folder / std::wstring(kStandinMarkerName);
        ASSERT_TRUE(fs::exists(marker));
        EXPECT_TRUE(fs::equivalent(ReadMarker(marker), program_folder))
            << "stand-in ran with current folder " << fs::path(ReadMarker(marker)).string();
    }
    EXPECT_EQ(fs::exists(program_folder / std::wstring(kStandinMarkerName)), c.expect_started);
    EXPECT_FALSE(fs::exists(elsewhere / std::wstring(kStandinMarkerName)));
}

INSTANTIATE_TEST_SUITE_P(Cases, StartshimLaunchTest,
                         ::testing::Values(LaunchCase{"Starts", true, false, 0, true},
                                           LaunchCase{"InstanceRunning", true, true, 0, false},
                                           LaunchCase{"ProgramMissing", false, false, 1, false}),
                         [](const auto& test_case) { return std::string(test_case.param.name); });

} // namespace
} // namespace stowkeep::test
