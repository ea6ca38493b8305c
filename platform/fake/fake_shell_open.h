#pragma once

#include "platform/shell_open.h"

#include <string>
#include <vector>

namespace stowkeep::platform::fake {

// The shell's two routes in memory: each records what it opened. The desktop
// shell is there unless a test takes it away (no Explorer running, or none that
// answers for the desktop).
class FakeShellOpen : public ShellOpen {
  public:
    enum class Route { DesktopUser, Here };
    struct Opened {
        Route route;
        std::wstring target;
        bool maximised;
        bool operator==(const Opened&) const = default;
    };

    bool desktopShellRuns = true;

    bool OpenAsDesktopUser(const std::wstring& target, bool maximised) override;
    bool OpenHere(const std::wstring& target, bool maximised) override;
    const std::vector<Opened>& opened() const { return opened_; }

  private:
    std::vector<Opened> opened_;
};

} // namespace stowkeep::platform::fake
