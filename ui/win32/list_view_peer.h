#pragma once

#include "ui/list_view.h"
#include "ui/win32/peer.h"
#include "ui/win32/windows_api.h"

namespace stowkeep::ui::win32 {

// A report-style SysListView32 with the skin's header and row colours.
class ListViewPeer : public Peer {
  public:
    ListViewPeer(Context& context, ListView& list);
    void relayout() override;
    LRESULT notify(NMHDR* header) override;
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    void onChanged(Change what, int index, int sub) override;

  private:
    // Room beside a text, in logical pixels: the header's on either side, and what the list
    // keeps around a cell's text.
    static constexpr int kHeaderInset = 6;
    static constexpr int kCellPadding = 12;

    ListView& list() const { return static_cast<ListView&>(control()); }
    void insertColumns();
    void fitColumns();
    int headerWidth(const std::wstring& header) const;
    int widestCell(int column) const;
    HFONT headerFont() const;
    void insertRow(int row);
    void setCell(int row, int column);
    void selectRow(int row);
    LRESULT drawRow(NMLVCUSTOMDRAW& draw);
    LRESULT drawHeader(NMCUSTOMDRAW& draw);

    bool applying_ = false;
};

} // namespace stowkeep::ui::win32
