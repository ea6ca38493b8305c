#pragma once

#include <optional>
#include <string>
#include <string_view>

// Startshim, the launcher the "Stowkeep" Run value names. Windows starts it at
// logon; it starts the program beside itself unless an instance already runs.
namespace stowkeep::startshim {

inline constexpr std::wstring_view kProgramFileName = L"Stowkeep(KD-RX710).exe";
// Held by the running program for its whole life.
inline constexpr std::wstring_view kInstanceMutexName = L"Mutex_Velko";

// Exit codes: nobody sees a message at logon, so the code is the only report.
enum class ExitCode : int {
    kStartedOrRunning = 0,
    kProgramMissing = 1,
    kStartFailed = 2,
};

struct ProgramLocation {
    std::wstring folder; // ends with a separator, so "C:\" stays the root
    std::wstring file;   // full path of the program in that folder
};

// Where the program lies beside the launcher whose full path is given; nothing
// when that path has no folder or no file name.
std::optional<ProgramLocation> ProgramBeside(std::wstring_view module_path);

// What the launcher needs from the system.
class LaunchSystem {
  public:
    virtual ~LaunchSystem() = default;
    virtual bool InstanceRunning() = 0;
    virtual std::wstring ModulePath() = 0;
    virtual bool FileExists(const std::wstring& path) = 0;
    // Starts `file` with `folder` as its current folder.
    virtual bool Start(const std::wstring& file, const std::wstring& folder) = 0;
};

ExitCode RunStartshim(LaunchSystem& system);

} // namespace stowkeep::startshim
