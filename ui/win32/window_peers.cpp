#include "ui/win32/window_peers.h"

#include "ui/buttons.h"
#include "ui/picture.h"
#include "ui/win32/dpi.h"
#include "ui/win32/windows_api.h"

#include <algorithm>

namespace stowkeep::ui::win32 {

namespace {

DWORD styleOf(const WindowOptions& options) {
    switch (options.frame) {
    case Frame::Dialog:
    case Frame::RoundedPopup:
        return WS_POPUP | WS_CLIPCHILDREN;
    case Frame::Standard:
        break;
    }
    // The title bar is ours (TitleBar), so the system draws no caption.
    return WS_POPUP | WS_SYSMENU | WS_CLIPCHILDREN | (options.minimiseButton ? WS_MINIMIZEBOX : 0);
}

DWORD exStyleOf(const WindowOptions& options) {
    DWORD common = WS_EX_CONTROLPARENT;
    switch (options.frame) {
    case Frame::Dialog:
        return common;
    case Frame::RoundedPopup:
        return common | WS_EX_LAYERED | WS_EX_TOOLWINDOW;
    case Frame::Standard:
        break;
    }
    return common | WS_EX_APPWINDOW;
}

HWND hwndOf(const Window* window) {
    auto* peer = window ? static_cast<Peer*>(window->peer()) : nullptr;
    return peer ? peer->hwnd() : nullptr;
}

// Buttons a keyboard Enter or Esc stands for.
Button* findButton(const Container& container, bool wantDefault) {
    for (const auto& child : container.children()) {
        if (auto* button = dynamic_cast<Button*>(child.get()))
            if (button->visible() && (wantDefault ? button->isDefault() : button->isCancel()))
                return button;
        if (auto* inner = dynamic_cast<const Container*>(child.get()))
            if (inner->visible())
                if (Button* found = findButton(*inner, wantDefault))
                    return found;
    }
    return nullptr;
}

} // namespace

WindowPeer::WindowPeer(Context& context, Window& model)
    : Peer(context, model), style_(styleOf(model.options())), exStyle_(exStyleOf(model.options())) {
    HWND owner =
        model.options().frame == Frame::Standard ? nullptr : hwndOf(model.options().centreOver);
    HWND hwnd =
        CreateWindowExW(exStyle_, classes::TopLevel, model.text().c_str(), style_, CW_USEDEFAULT,
                        CW_USEDEFAULT, 100, 100, owner, nullptr, context.instance, nullptr);
    adopt(hwnd);
    dpi_ = dpiOfWindow(hwnd);
    if (model.options().frame != Frame::RoundedPopup)
        titleBar_ =
            std::make_unique<TitleBar>(context, hwnd, model.options().frame == Frame::Standard,
                                       model.options().minimiseButton);
    context.topLevels.push_back(hwnd);
    if (model.options().frame == Frame::RoundedPopup)
        SetLayeredWindowAttributes(hwnd, colours::PopupKey, 255, LWA_COLORKEY);
    relayout();
    placeCentred();
}

WindowPeer::~WindowPeer() {
    std::erase(context().topLevels, hwnd());
}

COLORREF WindowPeer::background() const {
    return window().options().frame == Frame::RoundedPopup ? colours::Surface : colours::Background;
}

void WindowPeer::relayout() {
    const auto& options = window().options();
    SIZE client{scaled(options.clientWidth, dpi_), scaled(options.clientHeight, dpi_)};
    RECT frame = titleBar_ ? TitleBar::frameFor(client, dpi_)
                           : windowRectForClient(client, style_, exStyle_, dpi_);
    SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (options.frame == Frame::RoundedPopup)
        shapePopup();
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void WindowPeer::shapePopup() {
    RECT client;
    GetClientRect(hwnd(), &client);
    int corner = scaled(24, dpi_);
    SetWindowRgn(hwnd(),
                 CreateRoundRectRgn(0, 0, client.right + 1, client.bottom + 1, corner, corner),
                 TRUE);
}

void WindowPeer::placeCentred() {
    RECT self, area;
    GetWindowRect(hwnd(), &self);
    HWND over = hwndOf(window().options().centreOver);
    if (over) {
        GetWindowRect(over, &area);
    } else {
        MONITORINFO monitor{sizeof(monitor), {}, {}, 0};
        GetMonitorInfoW(MonitorFromWindow(hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    int width = self.right - self.left, height = self.bottom - self.top;
    int left = area.left + (area.right - area.left - width) / 2;
    int top = area.top + (area.bottom - area.top - height) / 2;
    SetWindowPos(hwnd(), nullptr, std::max<int>(left, 0), std::max<int>(top, 0), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowPeer::changed(Change what, int index, int sub) {
    switch (what) {
    case Change::Visible:
        if (window().visible()) {
            if (window().options().frame != Frame::Standard || !IsWindowVisible(hwnd()))
                if (window().options().centreOver || window().options().frame != Frame::Standard)
                    placeCentred();
            ShowWindow(hwnd(), SW_SHOW);
            takeForeground();
        } else {
            ShowWindow(hwnd(), SW_HIDE);
        }
        return;
    case Change::Front:
        if (IsWindowVisible(hwnd())) {
            BringWindowToTop(hwnd());
            takeForeground();
        }
        return;
    case Change::Restore:
        ShowWindow(hwnd(), SW_RESTORE);
        takeForeground();
        return;
    case Change::Bounds:
        return; // the client size is fixed
    default:
        Peer::changed(what, index, sub);
    }
}

// Our windows also open without the user's click (the enclosure's button), while the
// user works in another program.
void WindowPeer::takeForeground() {
    ui::takeForeground(context().foreground, reinterpret_cast<ForegroundSeam::Handle>(hwnd()));
}

void WindowPeer::clickById(int id) {
    Control* target = nullptr;
    if (id == IDOK || id == IDCANCEL) {
        Control* focused = window().focusedControl();
        if (id == IDOK && focused && GetFocus() == static_cast<Peer*>(focused->peer())->hwnd() &&
            (focused->kind() == Kind::Button || focused->kind() == Kind::PictureButton))
            target = focused;
        else
            target = findButton(window(), id == IDOK);
    } else {
        target = window().controlById(id);
    }
    if (!target || !target->enabled())
        return;
    if (auto* button = dynamic_cast<Button*>(target))
        button->click();
    else if (auto* picture = dynamic_cast<PictureButton*>(target))
        picture->click();
    else if (auto* radio = dynamic_cast<RadioButton*>(target))
        radio->click();
    else if (auto* link = dynamic_cast<LinkLabel*>(target))
        link->click();
}

void WindowPeer::paint() {
    BufferedPaint paint(hwnd());
    RECT client = paint.client();
    if (window().options().frame != Frame::RoundedPopup) {
        context().skin.fill(paint.dc(), client, colours::Background);
        return;
    }
    context().skin.fill(paint.dc(), client, colours::PopupKey);
    int line = std::max(1, scaled(2, dpi_));
    PenHandle pen(CreatePen(PS_INSIDEFRAME, line, colours::PopupOutline));
    Selected usePen(paint.dc(), pen.get());
    Selected useBrush(paint.dc(), context().skin.brush(colours::Surface));
    int corner = scaled(24, dpi_);
    RoundRect(paint.dc(), 0, 0, client.right, client.bottom, corner, corner);
}

void WindowPeer::onDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    relayout();
    relayoutTree(window());
}

std::optional<LRESULT> WindowPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto answer = window().deliver({message, wParam, lParam}))
        return *answer;
    if (auto reflected = reflectToChild(message, wParam, lParam))
        return reflected;
    if (titleBar_)
        if (auto answer = titleBar_->handle(message, wParam, lParam, dpi_))
            return answer;
    switch (message) {
    case WM_CLOSE:
        window().close();
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
            window().minimise();
            return 0;
        }
        break;
    case WM_COMMAND:
        clickById(LOWORD(wParam));
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        paint();
        return 0;
    case WM_DPICHANGED:
        onDpiChanged(HIWORD(wParam), *reinterpret_cast<RECT*>(lParam));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && window().focusedControl())
            if (auto* focused = static_cast<Peer*>(window().focusedControl()->peer()))
                SetFocus(focused->hwnd());
        if (LOWORD(wParam) != WA_INACTIVE)
            return 0;
        break;
    }
    return Peer::handle(message, wParam, lParam);
}

ContainerPeer::ContainerPeer(Context& context, Container& container) : Peer(context, container) {
    create(classes::Container, WS_CLIPCHILDREN | WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT);
}

COLORREF ContainerPeer::background() const {
    if (auto* panel = dynamic_cast<Panel*>(&control()); panel && panel->framed())
        return colours::Surface;
    return Peer::background();
}

void ContainerPeer::onChanged(Change what, int, int) {
    if (what == Change::Text)
        InvalidateRect(hwnd(), nullptr, TRUE);
}

std::optional<LRESULT> ContainerPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (auto reflected = reflectToChild(message, wParam, lParam))
        return reflected;
    if (message == WM_ERASEBKGND)
        return 1;
    if (message != WM_PAINT)
        return Peer::handle(message, wParam, lParam);
    BufferedPaint paint(hwnd());
    Skin& skin = context().skin;
    COLORREF outer = Peer::background();
    switch (control().kind()) {
    case Kind::GroupBox:
        skin.drawGroupBox(paint.dc(), paint.client(), control().text(), dpi(), outer);
        break;
    case Kind::Panel:
        if (static_cast<Panel&>(control()).framed()) {
            skin.fill(paint.dc(), paint.client(), outer);
            skin.roundRect(paint.dc(), paint.client(), scaled(6, dpi()), colours::Surface,
                           colours::Border);
            break;
        }
        [[fallthrough]];
    default:
        skin.fill(paint.dc(), paint.client(), outer);
    }
    return 0;
}

void relayoutTree(const Container& container) {
    for (const auto& child : container.children()) {
        if (auto* peer = static_cast<Peer*>(child->peer()))
            peer->relayout();
        if (auto* inner = dynamic_cast<const Container*>(child.get()))
            relayoutTree(*inner);
    }
}

} // namespace stowkeep::ui::win32
