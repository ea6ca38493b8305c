#pragma once

#include "ui/ui.h"

#include <string_view>

namespace stowkeep::app {

// Page 4 of the main window: never shown, it holds the pictures that the
// picture buttons of the main page and the logos take their pictures from.
class PictureStorePage {
  public:
    PictureStorePage(ui::Page& page, const ui::PictureStore& pictures);

    // The picture of store image `name` ("Image7", "Image27", ...).
    const ui::PictureRef& Picture(std::string_view name) const;

  private:
    ui::Page& page_;
};

} // namespace stowkeep::app
