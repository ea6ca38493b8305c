#pragma once

#include "ui/artwork.h"
#include "ui/control.h"

#include <functional>
#include <vector>

namespace stowkeep::ui {

struct MenuItem {
    std::string name;
    std::wstring caption;
    std::function<void()> onClick;
};

// The notification-area icon with its popup menu. Its text is the tooltip. It starts
// hidden; the right mouse button opens the menu at the pointer.
class TrayIcon : public Control {
  public:
    TrayIcon(std::string name, std::wstring tooltip, PictureRef icon);
    Kind kind() const override { return Kind::TrayIcon; }

    const PictureRef& icon() const { return icon_; }
    void setIcon(PictureRef icon);

    void addMenuItem(std::string name, std::wstring caption, std::function<void()> onClick);
    const std::vector<MenuItem>& menuItems() const { return items_; }
    // The user picks a menu item; false when there is none of that name.
    bool clickMenuItem(const std::string& name);

    std::function<void()> onDoubleClick;
    void doubleClick();

  private:
    PictureRef icon_;
    std::vector<MenuItem> items_;
};

} // namespace stowkeep::ui
