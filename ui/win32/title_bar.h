#pragma once

#include "ui/win32/context.h"
#include "ui/win32/windows_api.h"

#include <optional>

namespace stowkeep::ui::win32 {

// The title bar and border of our windows, drawn in the non-client area by us: caption,
// the application mark, and close and minimise buttons that act through WM_SYSCOMMAND.
class TitleBar {
  public:
    TitleBar(Context& context, HWND window, bool closeButton, bool minimiseButton);

    // The frame around a client area of the given size.
    static RECT frameFor(SIZE client, UINT dpi);
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam, UINT dpi);

  private:
    enum class Part { None, Close, Minimise };
    Part hit(POINT screen, UINT dpi) const;
    RECT buttonRect(Part part, UINT dpi) const; // in window coordinates
    void paint(UINT dpi);
    void refresh(Part hot, Part pressed);

    Context& context_;
    HWND window_;
    bool close_, minimise_;
    bool active_ = true;
    Part hot_ = Part::None, pressed_ = Part::None;
    UINT dpi_ = 96;
};

} // namespace stowkeep::ui::win32
