#pragma once

#include "ui/ui.h"

#include <memory>

namespace stowkeep::app {

// The wait window that File Create shows while it makes image files: a
// borderless rounded shape with an animated picture and "Please wait...".
class TForm4 {
  public:
    TForm4(ui::Toolkit& toolkit, const ui::Window& main);

    void Show();  // modeless; starts the animation (FormShow)
    void Close(); // hides it and stops the animation

    ui::Window& Window() const { return *window_; }

  private:
    void FormShow();

    std::unique_ptr<ui::Window> window_;
};

} // namespace stowkeep::app
