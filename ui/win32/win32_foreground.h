#pragma once

#include "ui/foreground.h"

namespace stowkeep::ui::win32 {

// The foreground calls of user32 for windows of the calling (UI) thread.
class Win32Foreground : public ForegroundSeam {
  public:
    Handle foreground() override;
    bool setForeground(Handle window) override;
    bool attachInput(Handle window, bool attach) override;
    void bringToTop(Handle window) override;
    void flash(Handle window) override;
};

} // namespace stowkeep::ui::win32
