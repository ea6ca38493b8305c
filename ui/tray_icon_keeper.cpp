#include "ui/tray_icon_keeper.h"

namespace stowkeep::ui {

TrayIconKeeper::TrayIconKeeper(NotificationArea& area, const TrayIcon& tray)
    : area_(area), tray_(tray), restartMessage_(area.restartMessage()) {
    area_.allowMessage(restartMessage_);
    follow(Change::Visible);
}

TrayIconKeeper::~TrayIconKeeper() {
    if (added_)
        area_.remove();
}

void TrayIconKeeper::follow(Change what) {
    if (!tray_.visible()) {
        if (added_)
            area_.remove();
        added_ = false;
        return;
    }
    if (what == Change::Visible || what == Change::Picture || what == Change::Text)
        addOrModify();
}

bool TrayIconKeeper::handle(unsigned message) {
    if (message != restartMessage_)
        return false;
    added_ = false;
    if (tray_.visible())
        addOrModify();
    return true;
}

void TrayIconKeeper::addOrModify() {
    if (added_)
        area_.modify();
    else
        added_ = area_.add();
}

} // namespace stowkeep::ui
