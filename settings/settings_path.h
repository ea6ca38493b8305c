#pragma once

#include "platform/module_path.h"

#include <string>

namespace stowkeep::settings {

// Full path of set.ini, the settings file in the running executable's folder.
std::wstring SettingsFilePath(const platform::ModulePath& module);

} // namespace stowkeep::settings
