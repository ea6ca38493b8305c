#include "ui/headless/headless_desktop.h"

#include <algorithm>

namespace stowkeep::ui {

class HeadlessDesktop::WindowPeer : public ControlPeer {
  public:
    WindowPeer(HeadlessDesktop& desktop, Window& window) : desktop_(desktop), window_(window) {}
    ~WindowPeer() override { desktop_.leave(window_); }

    void changed(Change what, int, int) override {
        if (what == Change::Visible && !window_.visible())
            desktop_.leave(window_);
        else if (what == Change::Visible || what == Change::Restore ||
                 (what == Change::Front && window_.visible()))
            desktop_.ask(window_);
    }

  private:
    HeadlessDesktop& desktop_;
    Window& window_;
};

ForegroundSeam::Handle HeadlessDesktop::handleOf(const Window& window) {
    return reinterpret_cast<Handle>(&window);
}

void HeadlessDesktop::userWorksElsewhere() {
    std::erase(order_, kOtherProgram);
    order_.insert(order_.begin(), kOtherProgram);
    inputToUs_ = false;
}

bool HeadlessDesktop::otherProgramInFront() const {
    return !order_.empty() && order_.front() == kOtherProgram;
}

const Window* HeadlessDesktop::foregroundWindow() const {
    if (order_.empty() || order_.front() == kOtherProgram)
        return nullptr;
    return reinterpret_cast<const Window*>(order_.front());
}

std::unique_ptr<ControlPeer> HeadlessDesktop::peerFor(Window& window) {
    return std::make_unique<WindowPeer>(*this, window);
}

void HeadlessDesktop::ask(const Window& window) {
    const bool taken = takeForeground(*this, handleOf(window)) == ForegroundOutcome::Taken;
    requests_.push_back({window.name(), taken && foregroundWindow() == &window});
}

void HeadlessDesktop::leave(const Window& window) {
    std::erase(order_, handleOf(window));
}

ForegroundSeam::Handle HeadlessDesktop::foreground() {
    return order_.empty() ? 0 : order_.front();
}

bool HeadlessDesktop::setForeground(Handle window) {
    const bool allowed =
        order_.empty() || order_.front() != kOtherProgram || inputToUs_ || attached_;
    if (!allowed)
        return false;
    std::erase(order_, window);
    order_.insert(order_.begin(), window);
    return true;
}

// Our windows all belong to the UI thread, which cannot join its own input.
bool HeadlessDesktop::attachInput(Handle window, bool attach) {
    if (window != kOtherProgram)
        return false;
    const bool changed = attached_ != attach;
    attached_ = attach;
    return changed;
}

void HeadlessDesktop::bringToTop(Handle) {}

void HeadlessDesktop::flash(Handle window) {
    flashed_.push_back(reinterpret_cast<const Window*>(window)->name());
}

} // namespace stowkeep::ui
