#pragma once

#include "platform/module_path.h"

#include <windows.h>

namespace stowkeep::platform::win32 {

// A module's full path from GetModuleFileNameW: the running executable's, or
// that of the library given.
class Win32ModulePath : public ModulePath {
  public:
    explicit Win32ModulePath(HMODULE module = nullptr) : module_(module) {}
    std::wstring ExecutablePath() const override;

  private:
    HMODULE module_;
};

} // namespace stowkeep::platform::win32
