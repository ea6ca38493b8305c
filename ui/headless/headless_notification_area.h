#pragma once

#include "ui/control.h"
#include "ui/notification_area.h"
#include "ui/tray_icon.h"

#include <memory>
#include <string>
#include <vector>

namespace stowkeep::ui {

// The shell's notification area in headless tests, as Windows runs it beside an elevated
// program: it keeps the icons that owners add and forgets them all when it restarts, and
// its restart message, sent from the user's unelevated shell, reaches only the owners that
// let it through their message filter.
class HeadlessNotificationArea {
  public:
    // Registered window messages lie in 0xC000 .. 0xFFFF.
    static constexpr unsigned kRestartMessage = 0xC0DE;

    HeadlessNotificationArea();
    ~HeadlessNotificationArea();
    HeadlessNotificationArea(const HeadlessNotificationArea&) = delete;
    HeadlessNotificationArea& operator=(const HeadlessNotificationArea&) = delete;

    // The tooltips of the icons shown, in the order they were added.
    std::vector<std::wstring> icons() const;
    int adds() const { return adds_; }
    int removals() const { return removals_; }
    // The shell starts again: every icon is gone; then it sends its restart message.
    void restart();

    // The toolkit's counterpart of a TrayIcon: it keeps the icon here.
    std::unique_ptr<ControlPeer> peerFor(TrayIcon& tray);

  private:
    class Owner;
    class TrayPeer;
    struct Shown {
        const Owner* owner;
        std::wstring tooltip;
    };
    std::vector<Owner*> owners_;
    std::vector<Shown> shown_;
    int adds_ = 0;
    int removals_ = 0;
};

} // namespace stowkeep::ui
