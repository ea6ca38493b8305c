#include "ui/list_view.h"

#include <algorithm>

namespace stowkeep::ui {

ListView::ListView(std::string name, Rect bounds, std::vector<Column> columns)
    : Control(std::move(name), bounds), columns_(std::move(columns)) {}

int ListView::addRow(std::wstring caption, std::vector<std::wstring> subItems) {
    std::vector<std::wstring> cells{std::move(caption)};
    for (auto& item : subItems)
        cells.push_back(std::move(item));
    cells.resize(std::max(cells.size(), columns_.size()));
    rows_.push_back(std::move(cells));
    int row = rowCount() - 1;
    notify(Change::RowAdded, row);
    return row;
}

void ListView::deleteRow(int row) {
    if (row < 0 || row >= rowCount())
        return;
    rows_.erase(rows_.begin() + row);
    if (selected_ == row)
        selected_ = -1;
    else if (selected_ > row)
        --selected_;
    notify(Change::RowRemoved, row);
}

void ListView::clear() {
    rows_.clear();
    selected_ = -1;
    notify(Change::RowsCleared);
}

std::wstring ListView::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0)
        return {};
    const auto& cells = rows_[static_cast<size_t>(row)];
    return static_cast<size_t>(column) < cells.size() ? cells[static_cast<size_t>(column)]
                                                      : std::wstring();
}

void ListView::setCell(int row, int column, std::wstring text) {
    if (row < 0 || row >= rowCount() || column < 0)
        return;
    auto& cells = rows_[static_cast<size_t>(row)];
    if (static_cast<size_t>(column) >= cells.size())
        cells.resize(static_cast<size_t>(column) + 1);
    cells[static_cast<size_t>(column)] = std::move(text);
    notify(Change::Cell, row, column);
}

void ListView::select(int row) {
    int wanted = row >= 0 && row < rowCount() ? row : -1;
    if (wanted == selected_)
        return;
    selected_ = wanted;
    notify(Change::Selection);
}

void ListView::clickRow(int row) {
    if (!enabled())
        return;
    select(row);
    if (onClick)
        onClick();
}

ProgressBar::ProgressBar(std::string name, Rect bounds) : Control(std::move(name), bounds) {}

void ProgressBar::setPosition(int position) {
    int kept = std::clamp(position, 0, 100);
    if (kept == position_)
        return;
    position_ = kept;
    notify(Change::Value);
}

} // namespace stowkeep::ui
