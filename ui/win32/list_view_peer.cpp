#include "ui/win32/list_view_peer.h"

#include "ui/win32/dpi.h"
#include "ui/win32/windows_api.h"

#include <algorithm>
#include <vector>

namespace stowkeep::ui::win32 {

ListViewPeer::ListViewPeer(Context& context, ListView& list) : Peer(context, list) {
    create(WC_LISTVIEWW, WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                             LVS_NOSORTHEADER);
    subclass();
    ListView_SetExtendedListViewStyle(hwnd(), LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    ListView_SetBkColor(hwnd(), colours::Surface);
    ListView_SetTextBkColor(hwnd(), colours::Surface);
    ListView_SetTextColor(hwnd(), colours::Text);
    insertColumns();
    for (int row = 0; row < list.rowCount(); ++row)
        insertRow(row);
}

void ListViewPeer::insertColumns() {
    const auto& columns = list().columns();
    for (size_t i = 0; i < columns.size(); ++i) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<wchar_t*>(columns[i].header.c_str());
        column.cx = scaled(columns[i].width, dpi());
        column.iSubItem = static_cast<int>(i);
        SendMessageW(hwnd(), LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
    fitColumns();
}

void ListViewPeer::relayout() {
    Peer::relayout();
    fitColumns();
}

// A column's given width is its least: it widens to its header as drawn with the fonts of
// the current dpi, then to its cells as far as the list's width allows, the first columns
// first, so that a long cell never pushes another column out of sight.
void ListViewPeer::fitColumns() {
    const auto& columns = list().columns();
    RECT client;
    GetClientRect(hwnd(), &client);
    int spare = client.right;
    std::vector<int> widths;
    for (const Column& column : columns) {
        widths.push_back(std::max(scaled(column.width, dpi()), headerWidth(column.header)));
        spare -= widths.back();
    }
    for (size_t i = 0; i < widths.size(); ++i) {
        const int grow =
            std::clamp(widestCell(static_cast<int>(i)) - widths[i], 0, std::max(spare, 0));
        widths[i] += grow;
        spare -= grow;
        if (ListView_GetColumnWidth(hwnd(), static_cast<int>(i)) != widths[i])
            ListView_SetColumnWidth(hwnd(), static_cast<int>(i), widths[i]);
    }
}

int ListViewPeer::widestCell(int column) const {
    int widest = 0;
    for (int row = 0; row < list().rowCount(); ++row)
        widest =
            std::max(widest, ListView_GetStringWidth(hwnd(), list().cell(row, column).c_str()) +
                                 scaled(kCellPadding, dpi()));
    return widest;
}

int ListViewPeer::headerWidth(const std::wstring& header) const {
    return context().skin.measure(header, headerFont(), 0).cx + 2 * scaled(kHeaderInset, dpi());
}

HFONT ListViewPeer::headerFont() const {
    return context().skin.font(dpi(), 0, true);
}

void ListViewPeer::insertRow(int row) {
    std::wstring caption = list().cell(row, 0);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = caption.data();
    SendMessageW(hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    for (int column = 1; column < static_cast<int>(list().columns().size()); ++column)
        setCell(row, column);
}

void ListViewPeer::setCell(int row, int column) {
    std::wstring text = list().cell(row, column);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    SendMessageW(hwnd(), LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

void ListViewPeer::selectRow(int row) {
    applying_ = true;
    ListView_SetItemState(hwnd(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    if (row >= 0)
        ListView_SetItemState(hwnd(), row, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    applying_ = false;
}

void ListViewPeer::onChanged(Change what, int index, int sub) {
    applying_ = true;
    switch (what) {
    case Change::RowAdded:
        insertRow(index);
        fitColumns();
        break;
    case Change::RowRemoved:
        ListView_DeleteItem(hwnd(), index);
        fitColumns();
        break;
    case Change::RowsCleared:
        ListView_DeleteAllItems(hwnd());
        fitColumns();
        break;
    case Change::Cell:
        setCell(index, sub);
        fitColumns();
        break;
    case Change::Selection:
        selectRow(list().selectedRow());
        break;
    default:
        break;
    }
    applying_ = false;
}

LRESULT ListViewPeer::notify(NMHDR* header) {
    switch (header->code) {
    case NM_CLICK:
        list().clickRow(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem);
        return 0;
    case LVN_ITEMCHANGED: {
        auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if (!applying_ && (change->uChanged & LVIF_STATE) &&
            ((change->uNewState ^ change->uOldState) & LVIS_SELECTED))
            list().select(ListView_GetNextItem(hwnd(), -1, LVNI_SELECTED));
        return 0;
    }
    case NM_CUSTOMDRAW:
        return drawRow(*reinterpret_cast<NMLVCUSTOMDRAW*>(header));
    }
    return 0;
}

LRESULT ListViewPeer::drawRow(NMLVCUSTOMDRAW& draw) {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT: {
        auto row = static_cast<int>(draw.nmcd.dwItemSpec);
        bool selected = ListView_GetItemState(hwnd(), row, LVIS_SELECTED) != 0;
        draw.nmcd.uItemState &= ~static_cast<UINT>(CDIS_SELECTED | CDIS_FOCUS);
        draw.clrText = colours::Text;
        draw.clrTextBk =
            selected ? colours::Selection : (row % 2 ? colours::RowAlternate : colours::Surface);
        return CDRF_NEWFONT;
    }
    }
    return CDRF_DODEFAULT;
}

LRESULT ListViewPeer::drawHeader(NMCUSTOMDRAW& draw) {
    if (draw.dwDrawStage == CDDS_PREPAINT)
        return CDRF_NOTIFYITEMDRAW;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT)
        return CDRF_DODEFAULT;
    Skin& skin = context().skin;
    RECT cell = draw.rc;
    skin.fill(draw.hdc, cell, colours::Header);
    RECT line{cell.left, cell.bottom - 1, cell.right, cell.bottom};
    skin.fill(draw.hdc, line, colours::Border);
    RECT divider{cell.right - 1, cell.top + scaled(4, dpi()), cell.right,
                 cell.bottom - scaled(4, dpi())};
    skin.fill(draw.hdc, divider, colours::Border);
    auto column = static_cast<size_t>(draw.dwItemSpec);
    if (column < list().columns().size()) {
        RECT label = cell;
        label.left += scaled(kHeaderInset, dpi());
        skin.text(draw.hdc, label, list().columns()[column].header, headerFont(), colours::TextSoft,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    }
    return CDRF_SKIPDEFAULT;
}

std::optional<LRESULT> ListViewPeer::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom == ListView_GetHeader(hwnd()) && header->code == NM_CUSTOMDRAW)
            return drawHeader(*reinterpret_cast<NMCUSTOMDRAW*>(lParam));
    }
    if (message == WM_NCPAINT) {
        callDefault(message, wParam, lParam);
        HDC dc = GetWindowDC(hwnd());
        RECT frame;
        GetWindowRect(hwnd(), &frame);
        OffsetRect(&frame, -frame.left, -frame.top);
        FrameRect(dc, &frame, context().skin.brush(colours::Border));
        ReleaseDC(hwnd(), dc);
        return 0;
    }
    return Peer::handle(message, wParam, lParam);
}

} // namespace stowkeep::ui::win32
