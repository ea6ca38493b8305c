#include "ui/container.h"

#include "ui/buttons.h"
#include "ui/list_view.h"
#include "ui/panels.h"
#include "ui/picture.h"
#include "ui/text_controls.h"
#include "ui/toolkit.h"

namespace stowkeep::ui {

Container::~Container() {
    // Children go first, while this container's real window still exists.
    while (!children_.empty())
        children_.pop_back();
}

void Container::adopt(std::unique_ptr<Control> child) {
    Control& control = *child;
    children_.push_back(std::move(child));
    if (Toolkit* owner = toolkit())
        control.attach(*owner, this);
    else
        control.parent_ = this;
}

Control* Container::findControl(std::string_view name) const {
    for (const auto& child : children_) {
        if (child->name() == name)
            return child.get();
        if (auto* inner = dynamic_cast<const Container*>(child.get()))
            if (Control* found = inner->findControl(name))
                return found;
    }
    return nullptr;
}

Button& Container::addButton(std::string name, Rect bounds, std::wstring text) {
    return add<Button>(std::move(name), bounds, std::move(text));
}

Label& Container::addLabel(std::string name, Rect bounds, std::wstring text, LabelStyle style) {
    return add<Label>(std::move(name), bounds, std::move(text), style);
}

LinkLabel& Container::addLinkLabel(std::string name, Rect bounds, std::wstring text) {
    return add<LinkLabel>(std::move(name), bounds, std::move(text));
}

Panel& Container::addPanel(std::string name, Rect bounds, bool framed) {
    return add<Panel>(std::move(name), bounds, framed);
}

GroupBox& Container::addGroupBox(std::string name, Rect bounds, std::wstring caption) {
    return add<GroupBox>(std::move(name), bounds, std::move(caption));
}

RadioButton& Container::addRadioButton(std::string name, Rect bounds, std::wstring text) {
    return add<RadioButton>(std::move(name), bounds, std::move(text));
}

Edit& Container::addEdit(std::string name, Rect bounds, std::wstring text, int maxLength) {
    return add<Edit>(std::move(name), bounds, std::move(text), maxLength);
}

SpinEdit& Container::addSpinEdit(std::string name, Rect bounds, int value, int minimum,
                                 int maximum) {
    return add<SpinEdit>(std::move(name), bounds, value, minimum, maximum);
}

FolderEdit& Container::addFolderEdit(std::string name, Rect bounds, std::wstring text) {
    return add<FolderEdit>(std::move(name), bounds, std::move(text));
}

ListView& Container::addListView(std::string name, Rect bounds, std::vector<Column> columns) {
    return add<ListView>(std::move(name), bounds, std::move(columns));
}

ProgressBar& Container::addProgressBar(std::string name, Rect bounds) {
    return add<ProgressBar>(std::move(name), bounds);
}

Picture& Container::addPicture(std::string name, Rect bounds, PictureRef picture) {
    return add<Picture>(std::move(name), bounds, std::move(picture));
}

PictureButton& Container::addPictureButton(std::string name, Rect bounds, std::wstring text,
                                           PictureRef picture) {
    return add<PictureButton>(std::move(name), bounds, std::move(text), std::move(picture));
}

PageControl& Container::addPageControl(std::string name, Rect bounds) {
    return add<PageControl>(std::move(name), bounds);
}

} // namespace stowkeep::ui
