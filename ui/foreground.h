#pragma once

#include <cstdint>

namespace stowkeep::ui {

// The system's calls about the foreground window: the one that has the user's keyboard.
// Windows are named by an opaque handle (the HWND on Windows).
class ForegroundSeam {
  public:
    using Handle = std::uintptr_t;

    virtual ~ForegroundSeam() = default;
    virtual Handle foreground() = 0;
    // Refused while the user works with another program (the foreground lock).
    virtual bool setForeground(Handle window) = 0;
    // Joins (or leaves) the calling thread's input to that of the thread owning `window`.
    virtual bool attachInput(Handle window, bool attach) = 0;
    virtual void bringToTop(Handle window) = 0;
    // Draws the user's eye: caption and taskbar button flash until the window is in front.
    virtual void flash(Handle window) = 0;
};

enum class ForegroundOutcome { Taken, Flashed };

// Brings `window` to the foreground with the keyboard focus, also when the user works in
// another program and has not touched ours: a plain request first (allowed after the
// user's own input to us), then with our input joined to that of the foreground window's
// thread, whose windows may hand the foreground on. When both are refused the window
// flashes instead.
ForegroundOutcome takeForeground(ForegroundSeam& seam, ForegroundSeam::Handle window);

} // namespace stowkeep::ui
