#pragma once

#include "ui/control.h"
#include "ui/foreground.h"
#include "ui/window.h"

#include <memory>
#include <string>
#include <vector>

namespace stowkeep::ui {

// The desktop in headless tests, with Windows' foreground lock: while the user works in
// another program and has given ours no input, a window of ours asking for the foreground
// is refused, unless our thread's input is joined to that of the foreground window's
// thread. Windows that hide or go hand the foreground to the one active before them.
class HeadlessDesktop : public ForegroundSeam {
  public:
    // One window of ours asking for the foreground, and whether it got it.
    struct Request {
        std::string window;
        bool taken;
        bool operator==(const Request&) const = default;
    };

    // Another program's window comes to the front and the user works in it.
    void userWorksElsewhere();
    bool otherProgramInFront() const;
    // Our window in front, or nullptr.
    const Window* foregroundWindow() const;
    const std::vector<Request>& requests() const { return requests_; }
    // The names of our windows that flashed, in order.
    const std::vector<std::string>& flashed() const { return flashed_; }
    bool inputAttached() const { return attached_; }

    // The toolkit's counterpart of a window: it asks for the foreground whenever the window
    // is shown, restored or brought to the front.
    std::unique_ptr<ControlPeer> peerFor(Window& window);

    Handle foreground() override;
    bool setForeground(Handle window) override;
    bool attachInput(Handle window, bool attach) override;
    void bringToTop(Handle window) override;
    void flash(Handle window) override;

  private:
    class WindowPeer;
    static constexpr Handle kOtherProgram = 1;
    static Handle handleOf(const Window& window);
    void ask(const Window& window);
    void leave(const Window& window);

    std::vector<Handle> order_; // activation order, the foreground first
    bool inputToUs_ = true;
    bool attached_ = false;
    std::vector<Request> requests_;
    std::vector<std::string> flashed_;
};

} // namespace stowkeep::ui
