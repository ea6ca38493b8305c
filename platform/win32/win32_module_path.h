#pragma once

#include "platform/module_path.h"

namespace stowkeep::platform::win32 {

// The running executable's path from GetModuleFileNameW.
class Win32ModulePath : public ModulePath {
  public:
    std::wstring ExecutablePath() const override;
};

} // namespace stowkeep::platform::win32
