#include "ui/toolkit.h"

namespace stowkeep::ui {

std::unique_ptr<Window> Toolkit::createWindow(std::string name, WindowOptions options) {
    auto window = std::make_unique<Window>(std::move(name), std::move(options));
    window->attach(*this, nullptr);
    return window;
}

std::unique_ptr<TrayIcon> Toolkit::createTrayIcon(std::string name, std::wstring tooltip,
                                                  PictureRef icon) {
    auto tray = std::make_unique<TrayIcon>(std::move(name), std::move(tooltip), std::move(icon));
    tray->attach(*this, nullptr);
    return tray;
}

} // namespace stowkeep::ui
