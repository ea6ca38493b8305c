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
// The Task Scheduler task that the installer registers for the installing
// user: it starts the program with the highest rights the user has, so the
// program's request for administrator rights needs no consent prompt.
inline constexpr std::wstring_view kElevatedTaskName = L"Stowkeep";

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

    // The program file that the elevated task starts; nothing without the task.
    virtual std::optional<std::wstring> ElevatedTaskProgram() = 0;
    // True when the user running the launcher can change neither the folder
    // nor the program and library in it. Else the task would run whatever
    // the user put there with administrator rights and no prompt.
    virtual bool OnlyAdministratorsCanChange(const ProgramLocation& location) = 0;
    virtual bool RunElevatedTask() = 0;
};

// Whether two paths name the same file: Windows compares names without regard
// to the case of their letters.
bool SamePath(std::wstring_view a, std::wstring_view b);

// The program starts through the elevated task when the task starts this very
// program and only administrators can change it; otherwise, or when the task
// does not run, it starts plainly (and Windows asks for consent).
ExitCode RunStartshim(LaunchSystem& system);

} // namespace stowkeep::startshim
