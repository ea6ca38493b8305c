#pragma once

#include "ui/container.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace stowkeep::ui {

enum class Frame {
    Standard,     // title bar with close (and optionally minimise) button
    Dialog,       // title bar, no title-bar buttons
    RoundedPopup, // no border or caption: a rounded white shape, the rest transparent
};

struct WindowOptions {
    std::wstring caption;
    int clientWidth = 0; // logical pixels; windows cannot be resized
    int clientHeight = 0;
    Frame frame = Frame::Standard;
    bool minimiseButton = false; // Standard only; raises onMinimise instead of minimising
    const class Window* centreOver = nullptr; // nullptr: centred on the screen
};

// A window message as the system delivers it, for code that must see system broadcasts.
struct RawMessage {
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

// Window message numbers that portable code answers through a message hook.
namespace messages {
inline constexpr unsigned QueryEndSession = 0x0011;
inline constexpr unsigned EndSession = 0x0016;
inline constexpr unsigned DeviceChange = 0x0219;
} // namespace messages

// A hook answers a message (the result) or lets it go on (nullopt) to later hooks and the
// default handling.
using MessageHook = std::function<std::optional<std::intptr_t>(const RawMessage&)>;

// A top-level window. Its text is its caption. It starts hidden.
class Window : public Container {
  public:
    Window(std::string name, WindowOptions options);
    Kind kind() const override { return Kind::Window; }

    const WindowOptions& options() const { return options_; }

    void show(); // raises onShow when it was hidden
    void hide();
    bool shown() const { return visible(); }
    bool everShown() const { return everShown_; }
    void bringToFront(); // does not show a hidden window
    void restore();      // shows it in its normal state, in front

    // A close request (title-bar close, Alt+F4, or the program): onCloseQuery may refuse;
    // otherwise the window hides and onClose runs. Returns whether it closed.
    bool close();
    // The title bar's minimise button; without a handler the window just hides.
    void minimise();

    std::function<bool()> onCloseQuery;
    std::function<void()> onClose;
    std::function<void()> onShow;
    std::function<void()> onMinimise;

    void addMessageHook(MessageHook hook);
    // Runs the hooks in order; the first answer wins. The Win32 side calls this for every
    // message of the window; headless tests call it to deliver one.
    std::optional<std::intptr_t> deliver(const RawMessage& message) const;

    // The control that has the keyboard focus, or nullptr.
    Control* focusedControl() const { return focused_; }
    void setFocusedControl(Control* control);

    int takeControlId() { return nextId_++; }
    // The control of this window with that control ID, or nullptr.
    Control* controlById(int id) const;

  private:
    WindowOptions options_;
    bool everShown_ = false;
    std::vector<MessageHook> hooks_;
    Control* focused_ = nullptr;
    int nextId_ = 100;
};

} // namespace stowkeep::ui
