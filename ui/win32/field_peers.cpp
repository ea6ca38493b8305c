#include "ui/win32/field_peers.h"

#include "ui/win32/dpi.h"
#include "ui/win32/windows_api.h"

namespace stowkeep::ui::win32 {

EditPeer::EditPeer(Context& context, Control& control, int buttonsWidth)
    : Peer(context, control), buttonsWidth_(buttonsWidth) {
    // No WS_BORDER: the edit would draw its own; our frame lives in the non-client area.
    create(L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL);
    subclass();
    relayout();
}

EditPeer::~EditPeer() {
    for (HWND button : buttons_)
        DestroyWindow(button);
}

HWND EditPeer::addButton(const wchar_t* text) {
    HWND button = CreateWindowExW(0, L"BUTTON", text,
                                  WS_CHILD | BS_OWNERDRAW | (control().visible() ? WS_VISIBLE : 0),
                                  0, 0, 1, 1, parentHwnd(), nullptr, context().instance, nullptr);
    SetPropW(button, L"StowkeepPeer", this);
    buttons_.push_back(button);
    relayout();
    return button;
}

void EditPeer::relayout() {
    Peer::relayout();
    UINT d = dpi();
    int each = buttons_.empty() ? 0 : scaled(buttonsWidth_, d);
    int total = each * static_cast<int>(buttons_.size());
    RECT r = physicalBounds();
    int gap = buttons_.empty() ? 0 : scaled(2, d);
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left - total - gap, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    int margin = scaled(4, d);
    SendMessageW(hwnd(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
    if (auto* edit = dynamic_cast<Edit*>(&control()); edit && edit->maxLength() > 0)
        SendMessageW(hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(edit->maxLength()), 0);
    for (size_t i = 0; i < buttons_.size(); ++i) {
        int left = r.right - total + each * static_cast<int>(i);
        SetWindowPos(buttons_[i], nullptr, left, r.top, each, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void EditPeer::changed(Change what, int index, int sub) {
    applying_ = true;
    Peer::changed(what, index, sub);
    applying_ = false;
    if (what == Change::Visible || what == Change::Enabled) {
        for (HWND button : buttons_) {
            ShowWindow(button, control().visible() ? SW_SHOWNA : SW_HIDE);
            EnableWindow(button, control().enabled());
        }
    }
}

void EditPeer::command(HWND from, WORD code) {
    if (from == hwnd()) {
        if (code == EN_CHANGE && !applying_) {
            int length = GetWindowTextLengthW(hwnd());
            std::wstring text(static_cast<size_t>(length) + 1, L'\0');
            GetWindowTextW(hwnd(), text.data(), length + 1);
            text.resize(static_cast<size_t>(length));
            control().textFromUser(std::move(text));
        }
        if (code == EN_SETFOCUS || code == EN_KILLFOCUS)
            paintBorder();
        return;
    }
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (from == buttons_[i] && code == BN_CLICKED)
            buttonClicked(static_cast<int>(i));
}

void EditPeer::drawItem(const DRAWITEMSTRUCT& item) {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        if (item.hwndItem != buttons_[i])
            continue;
        BufferedDraw buffer(item.hDC, item.rcItem);
        context().skin.fill(buffer.dc(), buffer.area(), background());
        ButtonLook look{false, (item.itemState & ODS_SELECTED) != 0, false, control().enabled(),
                        false};
        context().skin.drawButton(buffer.dc(), buffer.area(), L"", look, dpi());
        drawButton(buffer.dc(), buffer.area(), static_cast<int>(i), look.pressed);
    }
}

void EditPeer::paintBorder() {
    HDC dc = GetWindowDC(hwnd());
    RECT frame, client;
    GetWindowRect(hwnd(), &frame);
    GetClientRect(hwnd(), &client);
    MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -frame.left, -frame.top);
    OffsetRect(&frame, -frame.left, -frame.top);
    ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
    bool enabled = control().enabled();
    context().skin.fill(dc, frame, enabled ? colours::Surface : colours::Background);
    bool focused = GetFocus() == hwnd();
    FrameRect(dc, &frame, context().skin.brush(focused ? colours::Accent : colours::Border));
    ReleaseDC(hwnd(), dc);
}

// Single-line edits put their text at the top; a taller frame centres it.
LRESULT EditPeer::centreText(WPARAM wParam, LPARAM lParam) {
    LRESULT result = callDefault(WM_NCCALCSIZE, wParam, lParam);
    auto* area = reinterpret_cast<RECT*>(lParam);
    InflateRect(area, -1, -1);
    HDC screen = GetDC(nullptr);
    TEXTMETRICW metrics{};
    {
        Selected selected(screen, context().skin.font(dpi()));
        GetTextMetricsW(screen, &metrics);
    }
    ReleaseDC(nullptr, screen);
    int pad = (static_cast<int>(area->bottom - area->top) - metrics.tmHeight) / 2;
    if (pad > 0) {
        area->top += pad;
        area->bottom -= pad;
    }
    return result;
}

std::optional<LRESULT> EditPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCPAINT) {
        paintBorder();
        return 0;
    }
    if (message == WM_NCCALCSIZE)
        return centreText(wParam, lParam);
    return Peer::handle(message, wParam, lParam);
}

TextEditPeer::TextEditPeer(Context& context, Edit& edit) : EditPeer(context, edit, 0) {}

SpinEditPeer::SpinEditPeer(Context& context, SpinEdit& spin) : EditPeer(context, spin, 17) {
    addButton(L"Down");
    addButton(L"Up");
}

void SpinEditPeer::buttonClicked(int index) {
    auto& spin = static_cast<SpinEdit&>(control());
    if (index == 1)
        spin.stepUp();
    else
        spin.stepDown();
}

void SpinEditPeer::drawButton(HDC dc, RECT area, int index, bool pressed) {
    // A small triangle pointing up or down.
    bool up = index == 1;
    int cx = (area.left + area.right) / 2, cy = (area.top + area.bottom) / 2 + (pressed ? 1 : 0);
    int half = scaled(4, dpi()), rise = scaled(2, dpi());
    int baseY = up ? cy + rise : cy - rise, tipY = up ? cy - rise : cy + rise;
    POINT points[3] = {{cx - half, baseY}, {cx + half, baseY}, {cx, tipY}};
    COLORREF ink = control().enabled() ? colours::TextSoft : colours::TextDisabled;
    PenHandle pen(CreatePen(PS_SOLID, 1, ink));
    Selected usePen(dc, pen.get());
    Selected useBrush(dc, context().skin.brush(ink));
    Polygon(dc, points, 3);
}

FolderEditPeer::FolderEditPeer(Context& context, FolderEdit& folder)
    : EditPeer(context, folder, 26) {
    addButton(L"Browse");
}

void FolderEditPeer::buttonClicked(int) {
    static_cast<FolderEdit&>(control()).browse();
}

void FolderEditPeer::drawButton(HDC dc, RECT area, int, bool pressed) {
    // A folder.
    int w = scaled(14, dpi()), h = scaled(10, dpi());
    int left = (area.left + area.right - w) / 2,
        top = (area.top + area.bottom - h) / 2 + (pressed ? 1 : 0);
    COLORREF ink = control().enabled() ? colours::Accent : colours::TextDisabled;
    RECT tab{left, top - scaled(2, dpi()), left + w / 2, top + 1};
    RECT body{left, top, left + w, top + h};
    context().skin.fill(dc, tab, ink);
    context().skin.roundRect(dc, body, scaled(1, dpi()), ink, ink);
}

} // namespace stowkeep::ui::win32
