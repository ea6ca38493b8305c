#pragma once

#include "ui/container.h"

namespace stowkeep::ui {

class Panel : public Container {
  public:
    Panel(std::string name, Rect bounds, bool framed);
    Kind kind() const override { return Kind::Panel; }
    bool framed() const { return framed_; }

  private:
    bool framed_;
};

// A framed box with a caption; its radio buttons form one group.
class GroupBox : public Container {
  public:
    GroupBox(std::string name, Rect bounds, std::wstring caption);
    Kind kind() const override { return Kind::GroupBox; }
};

class Page : public Container {
  public:
    Page(std::string name, Rect bounds);
    Kind kind() const override { return Kind::Page; }
};

// Pages on top of each other, one shown at a time. It has no tabs: only the program
// changes the page.
class PageControl : public Container {
  public:
    PageControl(std::string name, Rect bounds);
    Kind kind() const override { return Kind::PageControl; }

    // Pages fill the page control; the first page added is active.
    Page& addPage(std::string name);
    int pageCount() const;
    Page& page(int index) const;

    int activePage() const { return active_; }
    void setActivePage(int index); // out-of-range indexes are ignored

  private:
    int active_ = 0;
};

} // namespace stowkeep::ui
