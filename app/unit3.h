#pragma once

#include "ui/ui.h"

#include <memory>

namespace stowkeep::app {

class TForm1;

// The About window: logo, version and copyright line, and "OK". Created once
// at start-up and only hidden and shown again afterwards.
class TForm3 {
  public:
    TForm3(ui::Toolkit& toolkit, const TForm1& main);

    // Modeless; showing it while it is shown only brings it to the front.
    void Show();
    void spSkinButton1Click();

    ui::Window& Window() const { return *window_; }

  private:
    void FormCreate(const TForm1& main);

    std::unique_ptr<ui::Window> window_;
};

} // namespace stowkeep::app
