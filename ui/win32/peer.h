#pragma once

#include "ui/control.h"
#include "ui/win32/context.h"
#include "ui/win32/windows_api.h"

#include <optional>

namespace stowkeep::ui::win32 {

// The real window of one control. It mirrors the model's state and reports what the user
// does back to the model.
class Peer : public ControlPeer {
  public:
    Peer(Context& context, Control& control);
    ~Peer() override;
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    static Peer* of(HWND window);
    HWND hwnd() const { return hwnd_; }
    Control& control() const { return control_; }
    Context& context() const { return context_; }

    void changed(Change what, int index, int sub) override;

    // The dpi of the control's top-level window.
    virtual UINT dpi() const;
    // The colour that children paint behind themselves.
    virtual COLORREF background() const;
    // Moves and restyles the window for the current dpi (after a dpi change too).
    virtual void relayout();

    // Messages that the parent passes on to the control that sent them.
    virtual void command(HWND, WORD) {}
    virtual LRESULT notify(NMHDR*) { return 0; }
    virtual void drawItem(const DRAWITEMSTRUCT&) {}

    // Messages of the window itself; nullopt passes them to the default handling.
    virtual std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam);

  protected:
    virtual void onChanged(Change, int, int) {}
    // Creates the window as a child of the parent control's window.
    void create(const wchar_t* className, DWORD style, DWORD exStyle = 0);
    void adopt(HWND window); // for windows created elsewhere (top level)
    // Routes a standard control's messages through handle() first.
    void subclass();
    RECT physicalBounds() const;
    HWND parentHwnd() const;
    LRESULT callDefault(UINT message, WPARAM wParam, LPARAM lParam);
    void repaint() { InvalidateRect(hwnd_, nullptr, FALSE); }

  private:
    static LRESULT CALLBACK subclassProc(HWND, UINT, WPARAM, LPARAM);

    Context& context_;
    Control& control_;
    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;
};

// The window procedure of our own classes: hands every message to the window's peer.
LRESULT CALLBACK peerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Passes WM_COMMAND, WM_NOTIFY, WM_DRAWITEM and WM_CTLCOLOR* on to the child that sent them.
std::optional<LRESULT> reflectToChild(UINT message, WPARAM wParam, LPARAM lParam);

} // namespace stowkeep::ui::win32
