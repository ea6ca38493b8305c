// What a settings write costs on the real private-profile functions, under
// Wine: the system's write alone into a file in the ANSI code page (as writes
// went before set.ini kept every character), a settings write into a UTF-16LE
// file (the extra open that checks the file, then the write), and the one-time
// rewrite of an ANSI file of 100 jobs as UTF-16LE. Prints each one's mean time.
//
// Arguments: [iterations]

#include "platform/win32/win32_profile_files.h"
#include "settings/settings_file.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <windows.h>

namespace stowkeep::bench {
namespace {

using Clock = std::chrono::steady_clock;

constexpr wchar_t kPath[] = L"C:\\Users\\Me\\Pictures\\Holiday 2026";

std::wstring ScratchFile() {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH + 1, temp);
    return std::wstring(temp) + L"stowkeep-settings-bench.ini";
}

// An ANSI file with num jobs, as the program wrote it before.
void PutAnsiJobs(platform::ProfileFiles& profile, const std::wstring& file, int num) {
    ::DeleteFileW(file.c_str());
    profile.WriteString(file, L"Auto", L"BackUp", L"on");
    profile.WriteString(file, L"BackupSource", L"num", std::to_wstring(num));
    for (int k = 1; k <= num; ++k) {
        profile.WriteString(file, L"BackupSource", std::to_wstring(k), kPath);
        profile.WriteString(file, L"BackupDestination", std::to_wstring(k), L"E:\\backup");
    }
}

// Mean microseconds of run over iterations, with prepare before each, untimed.
double MeanMicroseconds(int iterations, const std::function<void()>& prepare,
                        const std::function<void()>& run) {
    Clock::duration total{};
    for (int i = 0; i < iterations; ++i) {
        prepare();
        const auto start = Clock::now();
        run();
        total += Clock::now() - start;
    }
    return std::chrono::duration<double, std::micro>(total).count() / iterations;
}

} // namespace
} // namespace stowkeep::bench

int wmain(int argc, wchar_t** argv) {
    using namespace stowkeep;
    using namespace stowkeep::bench;
    const int iterations = argc > 1 ? _wtoi(argv[1]) : 200;
    platform::win32::Win32ProfileFiles profile;
    const std::wstring file = ScratchFile();
    const settings::SettingsFile settings(profile, file);
    int k = 0;
    const auto nothing = [] {};

    PutAnsiJobs(profile, file, 10);
    const double ansiWrite = MeanMicroseconds(iterations, nothing, [&] {
        profile.WriteString(file, L"BackupSource", std::to_wstring(++k % 10 + 1), kPath);
    });

    ::DeleteFileW(file.c_str());
    PutAnsiJobs(profile, file, 0);
    settings.WriteText(L"BackupSource", L"1", L"Z:\\Фото 日本");
    for (int job = 2; job <= 10; ++job) {
        settings.WriteText(L"BackupSource", std::to_wstring(job), kPath);
    }
    const double unicodeWrite = MeanMicroseconds(iterations, nothing, [&] {
        settings.WriteText(L"BackupSource", std::to_wstring(++k % 10 + 1), kPath);
    });

    const double rewrite = MeanMicroseconds(
        iterations / 10 + 1, [&] { PutAnsiJobs(profile, file, 100); },
        [&] { settings.WriteText(L"BackupSource", L"101", L"Z:\\Фото 日本"); });
    ::DeleteFileW(file.c_str());

    std::printf("system write, ANSI file:          %8.1f us\n", ansiWrite);
    std::printf("settings write, UTF-16LE file:    %8.1f us\n", unicodeWrite);
    std::printf("ANSI file of 100 jobs rewritten:  %8.1f us\n", rewrite);
    return 0;
}
