#include "ui/win32/peer.h"

#include "ui/container.h"
#include "ui/win32/dpi.h"
#include "ui/win32/windows_api.h"
#include "ui/window.h"

namespace stowkeep::ui::win32 {

namespace {
constexpr const wchar_t* PeerProperty = L"StowkeepPeer";
}

Peer::Peer(Context& context, Control& control) : context_(context), control_(control) {}

Peer::~Peer() {
    if (hwnd_) {
        RemovePropW(hwnd_, PeerProperty);
        if (original_)
            SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
        DestroyWindow(hwnd_);
    }
}

Peer* Peer::of(HWND window) {
    return static_cast<Peer*>(GetPropW(window, PeerProperty));
}

void Peer::adopt(HWND window) {
    hwnd_ = window;
    SetPropW(hwnd_, PeerProperty, this);
}

HWND Peer::parentHwnd() const {
    Container* parent = control_.parent();
    auto* parentPeer = parent ? static_cast<Peer*>(parent->peer()) : nullptr;
    return parentPeer ? parentPeer->hwnd() : nullptr;
}

void Peer::create(const wchar_t* className, DWORD style, DWORD exStyle) {
    RECT r = physicalBounds();
    if (control_.visible())
        style |= WS_VISIBLE;
    if (!control_.enabled())
        style |= WS_DISABLED;
    HWND window =
        CreateWindowExW(exStyle, className, control_.text().c_str(), style | WS_CHILD, r.left,
                        r.top, r.right - r.left, r.bottom - r.top, parentHwnd(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(control_.controlId())),
                        context_.instance, nullptr);
    adopt(window);
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(context_.skin.font(dpi())), FALSE);
}

void Peer::subclass() {
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&subclassProc)));
}

LRESULT Peer::callDefault(UINT message, WPARAM wParam, LPARAM lParam) {
    return original_ ? CallWindowProcW(original_, hwnd_, message, wParam, lParam)
                     : DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Peer::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Peer* peer = of(window);
    if (!peer)
        return DefWindowProcW(window, message, wParam, lParam);
    if (auto answer = peer->handle(message, wParam, lParam))
        return *answer;
    return peer->callDefault(message, wParam, lParam);
}

LRESULT CALLBACK peerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (Peer* peer = Peer::of(window))
        if (auto answer = peer->handle(message, wParam, lParam))
            return *answer;
    return DefWindowProcW(window, message, wParam, lParam);
}

std::optional<LRESULT> reflectToChild(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (Peer* child = lParam ? Peer::of(reinterpret_cast<HWND>(lParam)) : nullptr) {
            child->command(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            return 0;
        }
        break;
    case WM_NOTIFY:
        if (Peer* child = Peer::of(reinterpret_cast<NMHDR*>(lParam)->hwndFrom))
            return child->notify(reinterpret_cast<NMHDR*>(lParam));
        break;
    case WM_DRAWITEM:
        if (Peer* child = Peer::of(reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem)) {
            child->drawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (Peer* child = Peer::of(reinterpret_cast<HWND>(lParam))) {
            HDC dc = reinterpret_cast<HDC>(wParam);
            bool readOnly = message == WM_CTLCOLORSTATIC && !IsWindowEnabled(child->hwnd());
            SetTextColor(dc, readOnly ? colours::TextSoft : colours::Text);
            SetBkColor(dc, readOnly ? colours::Background : colours::Surface);
            return reinterpret_cast<LRESULT>(
                child->context().skin.brush(readOnly ? colours::Background : colours::Surface));
        }
        break;
    }
    return std::nullopt;
}

UINT Peer::dpi() const {
    Window* owner = control_.window();
    auto* top = owner ? static_cast<Peer*>(owner->peer()) : nullptr;
    return top && top != this ? top->dpi() : dpiOfWindow(hwnd_);
}

COLORREF Peer::background() const {
    Container* parent = control_.parent();
    auto* parentPeer = parent ? static_cast<Peer*>(parent->peer()) : nullptr;
    return parentPeer ? parentPeer->background() : colours::Background;
}

RECT Peer::physicalBounds() const {
    Rect b = control_.bounds();
    UINT d = dpi();
    return {scaled(b.left, d), scaled(b.top, d), scaled(b.left + b.width, d),
            scaled(b.top + b.height, d)};
}

void Peer::relayout() {
    RECT r = physicalBounds();
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(context_.skin.font(dpi())), FALSE);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

void Peer::changed(Change what, int index, int sub) {
    switch (what) {
    case Change::Text:
        SetWindowTextW(hwnd_, control_.text().c_str());
        InvalidateRect(hwnd_, nullptr, FALSE);
        break;
    case Change::Bounds:
        relayout();
        break;
    case Change::Visible:
        ShowWindow(hwnd_, control_.visible() ? SW_SHOWNA : SW_HIDE);
        break;
    case Change::Enabled:
        EnableWindow(hwnd_, control_.enabled());
        InvalidateRect(hwnd_, nullptr, FALSE);
        break;
    case Change::Focus:
        SetFocus(hwnd_);
        break;
    default:
        break;
    }
    onChanged(what, index, sub);
}

std::optional<LRESULT> Peer::handle(UINT message, WPARAM, LPARAM) {
    if (message == WM_SETFOCUS)
        control_.focusFromUser();
    return std::nullopt;
}

} // namespace stowkeep::ui::win32
