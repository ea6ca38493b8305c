#include "ui/tray_icon.h"

namespace stowkeep::ui {

TrayIcon::TrayIcon(std::string name, std::wstring tooltip, PictureRef icon)
    : Control(std::move(name), Rect{}, std::move(tooltip)), icon_(std::move(icon)) {
    setVisible(false);
}

void TrayIcon::setIcon(PictureRef icon) {
    icon_ = std::move(icon);
    notify(Change::Picture);
}

void TrayIcon::addMenuItem(std::string name, std::wstring caption, std::function<void()> onClick) {
    items_.push_back({std::move(name), std::move(caption), std::move(onClick)});
    notify(Change::Menu);
}

bool TrayIcon::clickMenuItem(const std::string& name) {
    for (const auto& item : items_) {
        if (item.name == name) {
            if (item.onClick)
                item.onClick();
            return true;
        }
    }
    return false;
}

void TrayIcon::doubleClick() {
    if (onDoubleClick)
        onDoubleClick();
}

} // namespace stowkeep::ui
