#include "platform/shell_open.h"

namespace stowkeep::platform {

bool OpenAsUser(ShellOpen& shell, const std::wstring& target) {
    return shell.OpenAsDesktopUser(target, true) || shell.OpenHere(target, true);
}

} // namespace stowkeep::platform
