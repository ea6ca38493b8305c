#pragma once

#include "ui/container.h"
#include "ui/control.h"

#include <functional>
#include <vector>

namespace stowkeep::ui {

// A read-only report-style list. Column 0 is a row's caption, columns 1.. its sub-items.
class ListView : public Control {
  public:
    ListView(std::string name, Rect bounds, std::vector<Column> columns);
    Kind kind() const override { return Kind::ListView; }

    const std::vector<Column>& columns() const { return columns_; }

    int rowCount() const { return static_cast<int>(rows_.size()); }
    // Appends a row with its caption and sub-items (missing ones empty); returns its index.
    int addRow(std::wstring caption, std::vector<std::wstring> subItems = {});
    void deleteRow(int row);
    void clear();

    // Empty text for a cell that was never set or lies outside the list.
    std::wstring cell(int row, int column) const;
    void setCell(int row, int column, std::wstring text);
    std::wstring caption(int row) const { return cell(row, 0); }

    int selectedRow() const { return selected_; } // -1 when none
    void select(int row);                         // -1 clears the selection

    std::function<void()> onClick;
    // A click of the user: on a row (or -1 for empty space), which selects it, then onClick.
    void clickRow(int row);

  private:
    std::vector<Column> columns_;
    std::vector<std::vector<std::wstring>> rows_;
    int selected_ = -1;
};

class ProgressBar : public Control {
  public:
    ProgressBar(std::string name, Rect bounds);
    Kind kind() const override { return Kind::ProgressBar; }

    int position() const { return position_; } // 0 .. 100
    void setPosition(int position);            // kept within 0 .. 100

  private:
    int position_ = 0;
};

} // namespace stowkeep::ui
