#include "ui/foreground.h"

namespace stowkeep::ui {

ForegroundOutcome takeForeground(ForegroundSeam& seam, ForegroundSeam::Handle window) {
    const ForegroundSeam::Handle current = seam.foreground();
    if (current == window || seam.setForeground(window))
        return ForegroundOutcome::Taken;
    if (current != 0 && seam.attachInput(current, true)) {
        seam.bringToTop(window);
        const bool taken = seam.setForeground(window);
        seam.attachInput(current, false);
        if (taken)
            return ForegroundOutcome::Taken;
    }
    seam.flash(window);
    return ForegroundOutcome::Flashed;
}

} // namespace stowkeep::ui
