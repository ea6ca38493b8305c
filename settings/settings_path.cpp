#include "settings/settings_path.h"

namespace stowkeep::settings {

std::wstring SettingsFilePath(const platform::ModulePath& module) {
    return platform::FileBesideExecutable(module, L"set.ini");
}

} // namespace stowkeep::settings
