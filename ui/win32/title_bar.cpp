#include "ui/win32/title_bar.h"

#include "ui/win32/dpi.h"
#include "ui/win32/gdi.h"

#include <algorithm>

namespace stowkeep::ui::win32 {

namespace {

constexpr int CaptionHeight = 30, Border = 1, ButtonWidth = 44, MarkSize = 16, CaptionEndGap = 10;
constexpr COLORREF CaptionTop = RGB(0x2B, 0x78, 0xC9), CaptionBottom = RGB(0x22, 0x66, 0xB0);
constexpr COLORREF InactiveCaption = RGB(0x8A, 0x9B, 0xAD), CloseHot = RGB(0xE0, 0x3E, 0x3E);

void verticalGradient(HDC dc, RECT area, COLORREF top, COLORREF bottom) {
    TRIVERTEX vertices[2] = {
        {area.left, area.top, static_cast<COLOR16>(GetRValue(top) << 8),
         static_cast<COLOR16>(GetGValue(top) << 8), static_cast<COLOR16>(GetBValue(top) << 8), 0},
        {area.right, area.bottom, static_cast<COLOR16>(GetRValue(bottom) << 8),
         static_cast<COLOR16>(GetGValue(bottom) << 8), static_cast<COLOR16>(GetBValue(bottom) << 8),
         0},
    };
    verticalGradientFill(dc, vertices);
}

void line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

} // namespace

TitleBar::TitleBar(Context& context, HWND window, bool closeButton, bool minimiseButton)
    : context_(context), window_(window), close_(closeButton), minimise_(minimiseButton) {}

RECT TitleBar::frameFor(SIZE client, UINT dpi) {
    int border = scaled(Border, dpi);
    return {0, 0, client.cx + 2 * border, client.cy + scaled(CaptionHeight, dpi) + border};
}

RECT TitleBar::buttonRect(Part part, UINT dpi) const {
    RECT frame;
    GetWindowRect(window_, &frame);
    int width = scaled(ButtonWidth, dpi), border = scaled(Border, dpi);
    int right = frame.right - frame.left - border;
    int slot = part == Part::Close ? 0 : (close_ ? 1 : 0);
    bool exists = part == Part::Close ? close_ : minimise_;
    if (!exists)
        return {0, 0, 0, 0};
    return {right - width * (slot + 1), border, right - width * slot, scaled(CaptionHeight, dpi)};
}

TitleBar::Part TitleBar::hit(POINT screen, UINT dpi) const {
    RECT frame;
    GetWindowRect(window_, &frame);
    POINT at{screen.x - frame.left, screen.y - frame.top};
    for (Part part : {Part::Close, Part::Minimise}) {
        RECT r = buttonRect(part, dpi);
        if (PtInRect(&r, at))
            return part;
    }
    return Part::None;
}

void TitleBar::refresh(Part hot, Part pressed) {
    if (hot == hot_ && pressed == pressed_)
        return;
    hot_ = hot;
    pressed_ = pressed;
    paint(dpi_);
}

void TitleBar::paint(UINT dpi) {
    RECT frame;
    GetWindowRect(window_, &frame);
    OffsetRect(&frame, -frame.left, -frame.top);
    int border = scaled(Border, dpi), caption = scaled(CaptionHeight, dpi);
    HDC windowDc = GetWindowDC(window_);
    {
        BufferedDraw buffer(windowDc, {0, 0, frame.right, caption});
        HDC dc = buffer.dc();
        RECT bar{0, 0, frame.right, caption};
        if (active_)
            verticalGradient(dc, bar, CaptionTop, CaptionBottom);
        else
            context_.skin.fill(dc, bar, InactiveCaption);

        int markTop = (caption - scaled(MarkSize, dpi)) / 2;
        RECT markArea{scaled(10, dpi), markTop, scaled(10 + MarkSize, dpi),
                      markTop + scaled(MarkSize, dpi)};
        context_.skin.fill(dc, markArea, RGB(0xFF, 0xFF, 0xFF));
        RECT inner = markArea;
        InflateRect(&inner, -scaled(2, dpi), -scaled(2, dpi));
        context_.skin.fill(dc, inner, active_ ? CaptionTop : InactiveCaption);
        RECT slot{inner.left + scaled(2, dpi), inner.bottom - scaled(5, dpi),
                  inner.right - scaled(2, dpi), inner.bottom - scaled(2, dpi)};
        context_.skin.fill(dc, slot, RGB(0xFF, 0xFF, 0xFF));

        int length = GetWindowTextLengthW(window_);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        GetWindowTextW(window_, text.data(), length + 1);
        text.resize(static_cast<size_t>(length));
        RECT label{scaled(34, dpi), 0, frame.right - scaled(CaptionEndGap, dpi), caption};
        // Only the buttons this bar has take room from the caption.
        for (Part part : {Part::Close, Part::Minimise}) {
            RECT r = buttonRect(part, dpi);
            if (r.right != r.left)
                label.right = std::min(label.right, r.left);
        }
        context_.skin.text(dc, label, text, context_.skin.font(dpi, 0, true), RGB(0xFF, 0xFF, 0xFF),
                           DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);

        for (Part part : {Part::Close, Part::Minimise}) {
            RECT r = buttonRect(part, dpi);
            if (r.right == r.left)
                continue;
            if (part == hot_ || part == pressed_) {
                COLORREF fill = part == Part::Close ? CloseHot : RGB(0x3F, 0x8C, 0xDB);
                context_.skin.fill(dc, r, pressed_ == part ? RGB(0x1B, 0x55, 0x96) : fill);
            }
            PenHandle pen(CreatePen(PS_SOLID, std::max(1, scaled(1, dpi)), RGB(0xFF, 0xFF, 0xFF)));
            Selected usePen(dc, pen.get());
            int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2, half = scaled(5, dpi);
            if (part == Part::Close) {
                line(dc, cx - half, cy - half, cx + half + 1, cy + half + 1);
                line(dc, cx + half, cy - half, cx - half - 1, cy + half + 1);
            } else {
                line(dc, cx - half, cy, cx + half + 1, cy);
            }
        }
    }
    COLORREF edge = active_ ? CaptionBottom : InactiveCaption;
    HBRUSH brush = context_.skin.brush(edge);
    RECT left{0, caption, border, frame.bottom},
        right{frame.right - border, caption, frame.right, frame.bottom};
    RECT bottom{0, frame.bottom - border, frame.right, frame.bottom};
    FillRect(windowDc, &left, brush);
    FillRect(windowDc, &right, brush);
    FillRect(windowDc, &bottom, brush);
    ReleaseDC(window_, windowDc);
}

std::optional<LRESULT> TitleBar::handle(UINT message, WPARAM wParam, LPARAM lParam, UINT dpi) {
    dpi_ = dpi;
    int border = scaled(Border, dpi), caption = scaled(CaptionHeight, dpi);
    switch (message) {
    case WM_NCCALCSIZE: {
        auto* r = reinterpret_cast<RECT*>(lParam); // the first rect of either form
        r->left += border;
        r->right -= border;
        r->top += caption;
        r->bottom -= border;
        return 0;
    }
    case WM_NCPAINT:
        paint(dpi);
        return 0;
    case WM_NCACTIVATE:
        active_ = wParam != FALSE;
        paint(dpi);
        return TRUE;
    case WM_SETTEXT: {
        LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
        paint(dpi);
        return result;
    }
    case WM_NCHITTEST: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        RECT frame;
        GetWindowRect(window_, &frame);
        switch (hit(at, dpi)) {
        case Part::Close:
            return HTCLOSE;
        case Part::Minimise:
            return HTMINBUTTON;
        case Part::None:
            break;
        }
        if (at.y < frame.top + caption)
            return HTCAPTION;
        RECT client{frame.left + border, frame.top + caption, frame.right - border,
                    frame.bottom - border};
        return PtInRect(&client, at) ? HTCLIENT : HTBORDER;
    }
    case WM_NCMOUSEMOVE: {
        POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE | TME_NONCLIENT, window_, 0};
        TrackMouseEvent(&track);
        refresh(hit(at, dpi), pressed_);
        break;
    }
    case WM_NCMOUSELEAVE:
        refresh(Part::None, pressed_);
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (wParam == HTCLOSE || wParam == HTMINBUTTON) {
            SetCapture(window_);
            Part part = wParam == HTCLOSE ? Part::Close : Part::Minimise;
            refresh(part, part);
            return 0;
        }
        if (wParam == HTCAPTION && message == WM_NCLBUTTONDBLCLK)
            return 0; // not maximisable
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        if (pressed_ != Part::None && GetCapture() == window_) {
            POINT at;
            GetCursorPos(&at);
            Part over = hit(at, dpi);
            if (message == WM_MOUSEMOVE) {
                refresh(over == pressed_ ? pressed_ : Part::None, pressed_);
                return 0;
            }
            Part released = pressed_;
            ReleaseCapture();
            refresh(Part::None, Part::None);
            if (over == released)
                PostMessageW(window_, WM_SYSCOMMAND,
                             released == Part::Close ? SC_CLOSE : SC_MINIMIZE, 0);
            return 0;
        }
        break;
    case WM_CAPTURECHANGED:
        refresh(Part::None, Part::None);
        break;
    }
    return std::nullopt;
}

} // namespace stowkeep::ui::win32
