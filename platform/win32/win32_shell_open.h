#pragma once

#include "platform/shell_open.h"

namespace stowkeep::platform::win32 {

// The desktop route goes through the automation object of the Explorer that
// shows the user's desktop (it runs unelevated); the other is ShellExecuteW.
class Win32ShellOpen : public ShellOpen {
  public:
    bool OpenAsDesktopUser(const std::wstring& target, bool maximised) override;
    bool OpenHere(const std::wstring& target, bool maximised) override;
};

} // namespace stowkeep::platform::win32
