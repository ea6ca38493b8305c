#include "ui/panels.h"

namespace stowkeep::ui {

Panel::Panel(std::string name, Rect bounds, bool framed)
    : Container(std::move(name), bounds), framed_(framed) {}

GroupBox::GroupBox(std::string name, Rect bounds, std::wstring caption)
    : Container(std::move(name), bounds, std::move(caption)) {}

Page::Page(std::string name, Rect bounds) : Container(std::move(name), bounds) {}

PageControl::PageControl(std::string name, Rect bounds) : Container(std::move(name), bounds) {}

Page& PageControl::addPage(std::string name) {
    Page& page = add<Page>(std::move(name), Rect{0, 0, bounds().width, bounds().height});
    page.setVisible(pageCount() - 1 == active_);
    return page;
}

int PageControl::pageCount() const {
    return static_cast<int>(children().size());
}

Page& PageControl::page(int index) const {
    return static_cast<Page&>(*children().at(static_cast<size_t>(index)));
}

void PageControl::setActivePage(int index) {
    if (index < 0 || index >= pageCount())
        return;
    active_ = index;
    for (int i = 0; i < pageCount(); ++i)
        page(i).setVisible(i == index);
    notify(Change::ActivePage, index);
}

} // namespace stowkeep::ui
