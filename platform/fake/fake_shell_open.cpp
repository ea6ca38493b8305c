#include "platform/fake/fake_shell_open.h"

namespace stowkeep::platform::fake {

bool FakeShellOpen::OpenAsDesktopUser(const std::wstring& target, bool maximised) {
    if (!desktopShellRuns)
        return false;
    opened_.push_back({Route::DesktopUser, target, maximised});
    return true;
}

bool FakeShellOpen::OpenHere(const std::wstring& target, bool maximised) {
    opened_.push_back({Route::Here, target, maximised});
    return true;
}

} // namespace stowkeep::platform::fake
