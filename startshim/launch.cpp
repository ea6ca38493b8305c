#include "startshim/launch.h"

#include <algorithm>

namespace stowkeep::startshim {

std::optional<ProgramLocation> ProgramBeside(std::wstring_view module_path) {
    const auto last_separator = module_path.find_last_of(L"\\/");
    if (last_separator == std::wstring_view::npos || last_separator + 1 == module_path.size()) {
        return std::nullopt;
    }
    ProgramLocation location;
    location.folder = std::wstring(module_path.substr(0, last_separator + 1));
    location.file = location.folder + std::wstring(kProgramFileName);
    return location;
}

bool SamePath(std::wstring_view a, std::wstring_view b) {
    const auto upper = [](wchar_t c) -> wchar_t {
        return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [&](wchar_t x, wchar_t y) { return upper(x) == upper(y); });
}

namespace {

bool StartedThroughTask(LaunchSystem& system, const ProgramLocation& location) {
    const auto task_program = system.ElevatedTaskProgram();
    return task_program && SamePath(*task_program, location.file) &&
           system.OnlyAdministratorsCanChange(location) && system.RunElevatedTask();
}

} // namespace

ExitCode RunStartshim(LaunchSystem& system) {
    if (system.InstanceRunning()) {
        return ExitCode::kStartedOrRunning;
    }
    const auto location = ProgramBeside(system.ModulePath());
    if (!location || !system.FileExists(location->file)) {
        return ExitCode::kProgramMissing;
    }
    if (StartedThroughTask(system, *location)) {
        return ExitCode::kStartedOrRunning;
    }
    return system.Start(location->file, location->folder) ? ExitCode::kStartedOrRunning
                                                          : ExitCode::kStartFailed;
}

} // namespace stowkeep::startshim
