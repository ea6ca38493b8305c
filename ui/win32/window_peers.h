#pragma once

#include "ui/panels.h"
#include "ui/win32/peer.h"
#include "ui/win32/title_bar.h"
#include "ui/win32/windows_api.h"
#include "ui/window.h"

#include <memory>

namespace stowkeep::ui::win32 {

// A top-level window of the toolkit.
class WindowPeer : public Peer {
  public:
    WindowPeer(Context& context, Window& window);
    ~WindowPeer() override;

    UINT dpi() const override { return dpi_; }
    COLORREF background() const override;
    void relayout() override;
    void changed(Change what, int index, int sub) override;
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    Window& window() const { return static_cast<Window&>(control()); }
    void placeCentred();
    void takeForeground();
    void paint();
    void clickById(int id);
    void onDpiChanged(UINT dpi, const RECT& suggested);
    void shapePopup();

    std::unique_ptr<TitleBar> titleBar_;
    DWORD style_ = 0, exStyle_ = 0;
    UINT dpi_ = 96;
};

// Panels, group boxes, page controls and pages: windows that hold other controls.
class ContainerPeer : public Peer {
  public:
    ContainerPeer(Context& context, Container& container);
    COLORREF background() const override;
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    void onChanged(Change what, int, int) override;
};

// Lays out a window's controls again, e.g. at a new dpi.
void relayoutTree(const Container& container);

} // namespace stowkeep::ui::win32
