#pragma once

#include "app/unit4.h"
#include "images/wait_window.h"

namespace stowkeep::app {

// The image page's wait window. TForm4 is made after the main window, so the
// page reaches it through the entry's form list, once that is filled in.
class WaitWindowLink final : public images::WaitWindow {
  public:
    explicit WaitWindowLink(TForm4* const& form) : form_(form) {}

    void Show() override {
        if (form_)
            form_->Show();
    }
    void Close() override {
        if (form_)
            form_->Close();
    }

  private:
    TForm4* const& form_;
};

} // namespace stowkeep::app
