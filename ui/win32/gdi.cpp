#include "ui/win32/gdi.h"

#include "ui/win32/windows_api.h"

namespace stowkeep::ui::win32 {

// GDI32's own export: GradientFill lives in msimg32.dll, no KnownDLL, which the
// loader would look for beside the elevated program first.
void verticalGradientFill(HDC dc, TRIVERTEX (&vertices)[2]) {
    GRADIENT_RECT gradient{0, 1};
    GdiGradientFill(dc, vertices, 2, &gradient, 1, GRADIENT_FILL_RECT_V);
}

BufferedPaint::BufferedPaint(HWND window) : window_(window), target_(BeginPaint(window, &paint_)) {
    GetClientRect(window, &client_);
    memory_ = CreateCompatibleDC(target_);
    bitmap_.reset(CreateCompatibleBitmap(target_, client_.right > 0 ? client_.right : 1,
                                         client_.bottom > 0 ? client_.bottom : 1));
    previous_ = SelectObject(memory_, bitmap_.get());
}

BufferedPaint::~BufferedPaint() {
    BitBlt(target_, 0, 0, client_.right, client_.bottom, memory_, 0, 0, SRCCOPY);
    SelectObject(memory_, previous_);
    DeleteDC(memory_);
    EndPaint(window_, &paint_);
}

BufferedDraw::BufferedDraw(HDC target, RECT area) : target_(target), area_(area) {
    memory_ = CreateCompatibleDC(target);
    int width = area.right - area.left, height = area.bottom - area.top;
    bitmap_.reset(CreateCompatibleBitmap(target, width > 0 ? width : 1, height > 0 ? height : 1));
    previous_ = SelectObject(memory_, bitmap_.get());
}

BufferedDraw::~BufferedDraw() {
    BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
           memory_, 0, 0, SRCCOPY);
    SelectObject(memory_, previous_);
    DeleteDC(memory_);
}

} // namespace stowkeep::ui::win32
