#include "startshim/launch.h"

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

ExitCode RunStartshim(LaunchSystem& system) {
    if (system.InstanceRunning()) {
        return ExitCode::kStartedOrRunning;
    }
    const auto location = ProgramBeside(system.ModulePath());
    if (!location || !system.FileExists(location->file)) {
        return ExitCode::kProgramMissing;
    }
    return system.Start(location->file, location->folder) ? ExitCode::kStartedOrRunning
                                                          : ExitCode::kStartFailed;
}

} // namespace stowkeep::startshim
