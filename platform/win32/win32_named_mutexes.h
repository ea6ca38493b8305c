#pragma once

#include "platform/named_mutexes.h"

namespace stowkeep::platform::win32 {

// Named mutexes through CreateMutexW, in the session's own namespace.
class Win32NamedMutexes : public NamedMutexes {
  public:
    Created Create(std::wstring_view name) override;
};

} // namespace stowkeep::platform::win32
