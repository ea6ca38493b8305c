#include "ui/win32/control_peers.h"

#include "ui/win32/dpi.h"
#include "ui/win32/windows_api.h"

#include <algorithm>

namespace stowkeep::ui::win32 {

DrawnButtonPeer::DrawnButtonPeer(Context& context, Control& control, bool tabStop)
    : Peer(context, control) {
    create(L"BUTTON", BS_OWNERDRAW | (tabStop ? WS_TABSTOP : 0));
    subclass();
}

ButtonLook DrawnButtonPeer::look(const DRAWITEMSTRUCT& item) const {
    return {hot_, (item.itemState & ODS_SELECTED) != 0, (item.itemState & ODS_FOCUS) != 0,
            control().enabled(), false};
}

std::optional<LRESULT> DrawnButtonPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (!hot_) {
            hot_ = true;
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
            TrackMouseEvent(&track);
            pointerEntered();
            repaint();
        }
        break;
    case WM_MOUSELEAVE:
        hot_ = false;
        pointerLeft();
        repaint();
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDBLCLK:
        // A quick second click is a second click, not a double click.
        return callDefault(WM_LBUTTONDOWN, wParam, lParam);
    }
    return Peer::handle(message, wParam, lParam);
}

void DrawnButtonPeer::drawItem(const DRAWITEMSTRUCT& item) {
    BufferedDraw buffer(item.hDC, item.rcItem);
    context().skin.fill(buffer.dc(), buffer.area(), background());
    draw(buffer.dc(), buffer.area(), item);
}

void ButtonPeer::command(HWND, WORD code) {
    if (code == BN_CLICKED)
        static_cast<Button&>(control()).click();
}

void ButtonPeer::draw(HDC dc, RECT area, const DRAWITEMSTRUCT& item) {
    ButtonLook buttonLook = look(item);
    buttonLook.primary = static_cast<Button&>(control()).isDefault();
    context().skin.drawButton(dc, area, control().text(), buttonLook, dpi());
}

void RadioPeer::command(HWND, WORD code) {
    if (code == BN_CLICKED)
        radio().click();
}

std::optional<LRESULT> RadioPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == BM_GETCHECK)
        return radio().checked() ? BST_CHECKED : BST_UNCHECKED;
    if (message == BM_SETCHECK) {
        radio().setChecked(wParam == BST_CHECKED);
        return 0;
    }
    return DrawnButtonPeer::handle(message, wParam, lParam);
}

void RadioPeer::draw(HDC dc, RECT area, const DRAWITEMSTRUCT& item) {
    context().skin.drawRadio(dc, area, control().text(), radio().checked(), look(item), dpi(),
                             background());
}

LinkPeer::LinkPeer(Context& context, LinkLabel& link) : DrawnButtonPeer(context, link, true) {
    relayout();
}

void LinkPeer::command(HWND, WORD code) {
    if (code == BN_CLICKED)
        static_cast<LinkLabel&>(control()).click();
}

void LinkPeer::relayout() {
    Peer::relayout();
    Rect b = control().bounds();
    if (b.width > 0 && b.height > 0)
        return;
    SIZE extent =
        context().skin.measure(control().text(), context().skin.font(dpi(), 0, false, true), 0);
    SetWindowPos(hwnd(), nullptr, 0, 0, extent.cx + scaled(4, dpi()), extent.cy + scaled(4, dpi()),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::optional<LRESULT> LinkPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETCURSOR) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    if (message == WM_SETTEXT) {
        LRESULT result = callDefault(message, wParam, lParam);
        relayout();
        return result;
    }
    return DrawnButtonPeer::handle(message, wParam, lParam);
}

void LinkPeer::draw(HDC dc, RECT area, const DRAWITEMSTRUCT& item) {
    COLORREF ink = hot() ? colours::AccentPressed : colours::Accent;
    RECT inner = area;
    InflateRect(&inner, -scaled(2, dpi()), 0);
    context().skin.text(dc, inner, control().text(), context().skin.font(dpi(), 0, false, true),
                        ink, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (item.itemState & ODS_FOCUS)
        context().skin.drawFocus(dc, area, scaled(2, dpi()));
}

void PictureButtonPeer::command(HWND, WORD code) {
    if (code == BN_CLICKED)
        button().click();
}

std::optional<LRESULT> PictureButtonPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK)
        button().mouseDown();
    return DrawnButtonPeer::handle(message, wParam, lParam);
}

void PictureButtonPeer::draw(HDC dc, RECT area, const DRAWITEMSTRUCT& item) {
    context().skin.drawArtwork(dc, button().picture(), button().frame(), 0, 0, dpi(), background());
    if (item.itemState & ODS_FOCUS) {
        RECT ring = area;
        InflateRect(&ring, -scaled(3, dpi()), -scaled(3, dpi()));
        context().skin.drawFocus(dc, ring, scaled(9, dpi()));
    }
}

PicturePeer::PicturePeer(Context& context, Picture& picture) : Peer(context, picture) {
    create(classes::Picture, 0);
}

std::optional<LRESULT> PicturePeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND)
        return 1;
    if (message != WM_PAINT)
        return Peer::handle(message, wParam, lParam);
    BufferedPaint paint(hwnd());
    context().skin.fill(paint.dc(), paint.client(), background());
    const auto& picture = static_cast<Picture&>(control());
    context().skin.drawArtwork(paint.dc(), picture.picture(), picture.frame(), 0, 0, dpi(),
                               background());
    return 0;
}

LabelPeer::LabelPeer(Context& context, Label& label) : Peer(context, label) {
    create(classes::Label, 0);
    relayout();
}

HFONT LabelPeer::font() const {
    return context().skin.font(dpi(), label().style().sizePx, label().style().bold);
}

void LabelPeer::relayout() {
    Peer::relayout();
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
    Rect b = label().bounds();
    if (b.width > 0 && b.height > 0)
        return;
    int wrap = label().style().wrap ? scaled(b.width, dpi()) : 0;
    SIZE extent = context().skin.measure(control().text(), font(), wrap);
    SetWindowPos(hwnd(), nullptr, 0, 0, b.width > 0 ? scaled(b.width, dpi()) : extent.cx,
                 b.height > 0 ? scaled(b.height, dpi()) : extent.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void LabelPeer::onChanged(Change what, int, int) {
    if (what == Change::Text || what == Change::Style)
        relayout();
}

std::optional<LRESULT> LabelPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND)
        return 1;
    if (message != WM_PAINT)
        return Peer::handle(message, wParam, lParam);
    BufferedPaint paint(hwnd());
    context().skin.fill(paint.dc(), paint.client(), background());
    LabelStyle style = label().style();
    UINT format = (style.wrap ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER) |
                  (style.centred ? DT_CENTER : DT_LEFT);
    context().skin.text(paint.dc(), paint.client(), shownText(paint.client()), font(),
                        control().enabled() ? colours::Text : colours::TextDisabled, format);
    return 0;
}

// The window text stays whole for screen readers; only the drawing gives way.
std::wstring LabelPeer::shownText(RECT area) const {
    auto yieldFirst = label().compaction();
    if (!yieldFirst || label().style().wrap)
        return control().text();
    HFONT useFont = font();
    return compactMiddle(
        control().text(), area.right - area.left,
        [this, useFont](std::wstring_view text) {
            return context().skin.measure(std::wstring(text), useFont, 0).cx;
        },
        *yieldFirst);
}

ProgressPeer::ProgressPeer(Context& context, ProgressBar& bar) : Peer(context, bar) {
    create(classes::Progress, 0);
}

std::optional<LRESULT> ProgressPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case PBM_GETPOS:
        return bar().position();
    case PBM_SETPOS: {
        int previous = bar().position();
        bar().setPosition(static_cast<int>(wParam));
        return previous;
    }
    case PBM_GETRANGE:
        if (lParam) {
            auto* range = reinterpret_cast<PBRANGE*>(lParam);
            range->iLow = 0;
            range->iHigh = 100;
        }
        return wParam ? 0 : 100;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        BufferedPaint paint(hwnd());
        context().skin.drawProgress(paint.dc(), paint.client(), bar().position(), dpi(),
                                    background());
        return 0;
    }
    }
    return Peer::handle(message, wParam, lParam);
}

} // namespace stowkeep::ui::win32
