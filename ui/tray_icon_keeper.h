#pragma once

#include "ui/control.h"
#include "ui/notification_area.h"
#include "ui/tray_icon.h"

namespace stowkeep::ui {

// Keeps a TrayIcon's icon in the notification area: there while the model is visible,
// added again whenever the shell restarts (a restart forgets every icon), removed when the
// model hides or the keeper goes.
class TrayIconKeeper {
  public:
    // Opens the owner's message filter for the shell's restart message and adds the icon
    // if the model is visible.
    TrayIconKeeper(NotificationArea& area, const TrayIcon& tray);
    ~TrayIconKeeper();
    TrayIconKeeper(const TrayIconKeeper&) = delete;
    TrayIconKeeper& operator=(const TrayIconKeeper&) = delete;

    // Follows a change of the model.
    void follow(Change what);
    // A message of the owner window: true when it was the shell's restart message.
    bool handle(unsigned message);
    bool added() const { return added_; }

  private:
    void addOrModify();

    NotificationArea& area_;
    const TrayIcon& tray_;
    unsigned restartMessage_;
    bool added_ = false;
};

} // namespace stowkeep::ui
