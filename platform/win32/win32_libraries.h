#pragma once

#include "platform/libraries.h"

namespace stowkeep::platform::win32 {

// Shared libraries through LoadLibraryExW, GetProcAddress and FreeLibrary.
class Win32Libraries : public Libraries {
  public:
    std::unique_ptr<LoadedLibrary> Load(const std::wstring& fullPath) override;
};

} // namespace stowkeep::platform::win32
