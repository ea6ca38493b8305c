#pragma once

#include "app/main_state.h"
#include "app/picture_store_page.h"
#include "ui/ui.h"

#include <functional>

namespace stowkeep::app {

// Page 0 of the main window: the four picture buttons, the logo, the version
// label, the link label and "Close". The page keeps the buttons' pictures in
// step with the pointer; what a click does is the main window's business.
class MainPage {
  public:
    struct Actions {
        std::function<void()> Image16Click; // Backup
        std::function<void()> Image17Click; // Virtual HDD
        std::function<void()> Image18Click; // Setting
        std::function<void()> Image19Click; // Safe Removal
        std::function<void()> spSkinButton5Click;
        std::function<void()> spSkinLinkLabel1Click;
    };

    MainPage(ui::Page& page, const PictureStorePage& store, const MainState& state,
             Actions actions);

    // The Backup, Virtual HDD and Safe Removal buttons show their normal
    // pictures with an enclosure present, their no-enclosure pictures without.
    void ShowDevicePictures(bool present);

    struct ButtonPictures;

  private:
    void Wire(const ButtonPictures& pictures, std::function<void()> click);
    bool Active(const ButtonPictures& pictures) const;

    ui::Page& page_;
    const PictureStorePage& store_;
    const MainState& state_;
};

} // namespace stowkeep::app
