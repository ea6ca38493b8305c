#pragma once

#include "ui/win32/windows_api.h"

#include <memory>
#include <type_traits>

namespace stowkeep::ui::win32 {

struct GdiDeleter {
    void operator()(void* object) const {
        if (object)
            DeleteObject(static_cast<HGDIOBJ>(object));
    }
};
template <class T> using GdiHandle = std::unique_ptr<std::remove_pointer_t<T>, GdiDeleter>;
using FontHandle = GdiHandle<HFONT>;
using BitmapHandle = GdiHandle<HBITMAP>;
using BrushHandle = GdiHandle<HBRUSH>;
using PenHandle = GdiHandle<HPEN>;
using RegionHandle = GdiHandle<HRGN>;

struct IconDeleter {
    void operator()(HICON icon) const {
        if (icon)
            DestroyIcon(icon);
    }
};
using IconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

struct MenuDeleter {
    void operator()(HMENU menu) const {
        if (menu)
            DestroyMenu(menu);
    }
};
using MenuHandle = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDeleter>;

// Selects an object into a DC for one scope.
class Selected {
  public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~Selected() { SelectObject(dc_, previous_); }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A top-to-bottom gradient between the two vertices' colours, over the
// rectangle they span.
void verticalGradientFill(HDC dc, TRIVERTEX (&vertices)[2]);

// BeginPaint/EndPaint with an off-screen buffer, so painting never flickers.
class BufferedPaint {
  public:
    explicit BufferedPaint(HWND window);
    ~BufferedPaint();
    BufferedPaint(const BufferedPaint&) = delete;
    BufferedPaint& operator=(const BufferedPaint&) = delete;
    HDC dc() const { return memory_; }
    const RECT& client() const { return client_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC target_;
    RECT client_{};
    HDC memory_;
    BitmapHandle bitmap_;
    HGDIOBJ previous_;
};

// A buffer for drawing into a given DC rectangle, copied there on destruction.
class BufferedDraw {
  public:
    BufferedDraw(HDC target, RECT area);
    ~BufferedDraw();
    BufferedDraw(const BufferedDraw&) = delete;
    BufferedDraw& operator=(const BufferedDraw&) = delete;
    HDC dc() const { return memory_; }
    RECT area() const { return {0, 0, area_.right - area_.left, area_.bottom - area_.top}; }

  private:
    HDC target_;
    RECT area_;
    HDC memory_;
    BitmapHandle bitmap_;
    HGDIOBJ previous_;
};

} // namespace stowkeep::ui::win32
