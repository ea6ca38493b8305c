#pragma once

#include "ui/notification_area.h"
#include "ui/tray_icon.h"
#include "ui/tray_icon_keeper.h"
#include "ui/win32/gdi.h"
#include "ui/win32/peer.h"
#include "ui/win32/windows_api.h"

#include <memory>

namespace stowkeep::ui::win32 {

// The notification-area icon, owned by a hidden window that receives its mouse messages.
class TrayPeer : public Peer, private NotificationArea {
  public:
    TrayPeer(Context& context, TrayIcon& tray);
    ~TrayPeer() override;
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The owning window is never shown; only the icon follows the model.
    void changed(Change what, int index, int sub) override { onChanged(what, index, sub); }

  protected:
    void onChanged(Change what, int, int) override;

  private:
    TrayIcon& tray() const { return static_cast<TrayIcon&>(control()); }
    NOTIFYICONDATAW data(UINT flags) const;
    unsigned restartMessage() override;
    bool allowMessage(unsigned message) override;
    bool add() override;
    bool modify() override;
    bool remove() override;
    void refreshIcon();
    void showMenu();
    // The menu is drawn by the skin.
    void measureItem(MEASUREITEMSTRUCT& item) const;
    void drawMenuItem(const DRAWITEMSTRUCT& item) const;

    IconHandle icon_;
    std::unique_ptr<TrayIconKeeper> keeper_;
};

} // namespace stowkeep::ui::win32
