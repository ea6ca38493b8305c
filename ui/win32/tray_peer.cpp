#include "ui/win32/tray_peer.h"

#include "ui/win32/dpi.h"
#include "ui/win32/gdi.h"
#include "ui/win32/windows_api.h"

namespace stowkeep::ui::win32 {

namespace {
constexpr UINT TrayCallback = WM_APP + 10;
constexpr UINT TrayId = 1;
constexpr UINT FirstMenuId = 1000;
constexpr int MenuRowHeight = 26;
} // namespace

TrayPeer::TrayPeer(Context& context, TrayIcon& tray) : Peer(context, tray) {
    adopt(CreateWindowExW(WS_EX_TOOLWINDOW, classes::Message, tray.text().c_str(), WS_POPUP, 0, 0,
                          0, 0, nullptr, nullptr, context.instance, nullptr));
    refreshIcon();
    NotificationArea& area = *this;
    keeper_ = std::make_unique<TrayIconKeeper>(area, tray);
}

// The icon goes while its window still exists.
TrayPeer::~TrayPeer() {
    keeper_.reset();
}

NOTIFYICONDATAW TrayPeer::data(UINT flags) const {
    NOTIFYICONDATAW d{};
    d.cbSize = sizeof(d);
    d.hWnd = hwnd();
    d.uID = TrayId;
    d.uFlags = flags;
    d.uCallbackMessage = TrayCallback;
    d.hIcon = icon_.get();
    wcsncpy(d.szTip, tray().text().c_str(), std::size(d.szTip) - 1);
    return d;
}

unsigned TrayPeer::restartMessage() {
    return RegisterWindowMessageW(L"TaskbarCreated");
}

bool TrayPeer::allowMessage(unsigned message) {
    return ChangeWindowMessageFilterEx(hwnd(), message, MSGFLT_ALLOW, nullptr) != FALSE;
}

bool TrayPeer::add() {
    NOTIFYICONDATAW icon = data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    return Shell_NotifyIconW(NIM_ADD, &icon) != FALSE;
}

bool TrayPeer::modify() {
    NOTIFYICONDATAW icon = data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    return Shell_NotifyIconW(NIM_MODIFY, &icon) != FALSE;
}

bool TrayPeer::remove() {
    NOTIFYICONDATAW icon = data(0);
    return Shell_NotifyIconW(NIM_DELETE, &icon) != FALSE;
}

void TrayPeer::refreshIcon() {
    if (!tray().icon())
        return;
    int size = GetSystemMetrics(SM_CXSMICON);
    double scale = static_cast<double>(size) / tray().icon()->width();
    icon_ = toIcon(tray().icon()->render(0, scale));
}

void TrayPeer::onChanged(Change what, int, int) {
    if (what == Change::Picture)
        refreshIcon();
    if (keeper_)
        keeper_->follow(what);
}

void TrayPeer::showMenu() {
    MenuHandle menu(CreatePopupMenu());
    const auto& items = tray().menuItems();
    for (size_t i = 0; i < items.size(); ++i)
        AppendMenuW(menu.get(), MF_OWNERDRAW, FirstMenuId + i,
                    reinterpret_cast<const wchar_t*>(static_cast<ULONG_PTR>(i)));
    POINT at;
    GetCursorPos(&at);
    // The menu closes when the user clicks elsewhere only if its window is in front.
    SetForegroundWindow(hwnd());
    UINT chosen =
        static_cast<UINT>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                         at.x, at.y, 0, hwnd(), nullptr));
    PostMessageW(hwnd(), WM_NULL, 0, 0);
    if (chosen >= FirstMenuId && chosen < FirstMenuId + items.size())
        tray().clickMenuItem(items[chosen - FirstMenuId].name);
}

void TrayPeer::measureItem(MEASUREITEMSTRUCT& item) const {
    const auto& items = tray().menuItems();
    if (item.itemData >= items.size())
        return;
    UINT d = dpi();
    SIZE extent = context().skin.measure(items[item.itemData].caption, context().skin.font(d), 0);
    item.itemWidth = static_cast<UINT>(extent.cx + scaled(48, d));
    item.itemHeight = static_cast<UINT>(scaled(MenuRowHeight, d));
}

void TrayPeer::drawMenuItem(const DRAWITEMSTRUCT& item) const {
    const auto& items = tray().menuItems();
    if (item.itemData >= items.size())
        return;
    UINT d = dpi();
    bool selected = (item.itemState & ODS_SELECTED) != 0;
    BufferedDraw buffer(item.hDC, item.rcItem);
    RECT area = buffer.area();
    context().skin.fill(buffer.dc(), area, selected ? colours::Selection : colours::Surface);
    if (selected) {
        RECT bar{area.left, area.top, area.left + scaled(3, d), area.bottom};
        context().skin.fill(buffer.dc(), bar, colours::Accent);
    }
    area.left += scaled(20, d);
    context().skin.text(buffer.dc(), area, items[item.itemData].caption, context().skin.font(d),
                        colours::Text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

std::optional<LRESULT> TrayPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MEASUREITEM) {
        measureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        drawMenuItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    }
    if (message == TrayCallback) {
        switch (LOWORD(lParam)) {
        case WM_RBUTTONUP:
        case WM_CONTEXTMENU:
            showMenu();
            break;
        case WM_LBUTTONDBLCLK:
            tray().doubleClick();
            break;
        }
        return 0;
    }
    if (keeper_ && keeper_->handle(message))
        return 0;
    return Peer::handle(message, wParam, lParam);
}

} // namespace stowkeep::ui::win32
