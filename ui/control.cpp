#include "ui/control.h"

#include "ui/container.h"
#include "ui/toolkit.h"
#include "ui/window.h"

namespace stowkeep::ui {

Control::Control(std::string name, Rect bounds, std::wstring text)
    : name_(std::move(name)), bounds_(bounds), text_(std::move(text)) {}

Control::~Control() = default;

void Control::attach(Toolkit& toolkit, Container* parent) {
    toolkit_ = &toolkit;
    parent_ = parent;
    if (Window* owner = parent ? parent->window() : nullptr)
        id_ = owner->takeControlId();
    peer_ = toolkit.createPeer(*this);
}

void Control::notify(Change what, int index, int sub) {
    if (peer_)
        peer_->changed(what, index, sub);
}

void Control::setText(std::wstring text) {
    if (text == text_)
        return;
    text_ = std::move(text);
    notify(Change::Text);
}

void Control::setBounds(Rect bounds) {
    if (bounds == bounds_)
        return;
    bounds_ = bounds;
    notify(Change::Bounds);
}

void Control::setLeft(int left) {
    setBounds({left, bounds_.top, bounds_.width, bounds_.height});
}

void Control::setTop(int top) {
    setBounds({bounds_.left, top, bounds_.width, bounds_.height});
}

void Control::setVisible(bool visible) {
    if (visible == visible_)
        return;
    visible_ = visible;
    notify(Change::Visible);
}

void Control::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    notify(Change::Enabled);
}

Window* Control::window() const {
    const Control* control = this;
    while (control->parent_)
        control = control->parent_;
    return control->kind() == Kind::Window ? static_cast<Window*>(const_cast<Control*>(control))
                                           : nullptr;
}

void Control::setFocus() {
    if (Window* owner = window())
        owner->setFocusedControl(this);
    notify(Change::Focus);
}

bool Control::focused() const {
    Window* owner = window();
    return owner && owner->focusedControl() == this;
}

void Control::textFromUser(std::wstring text) {
    text_ = std::move(text);
}

void Control::focusFromUser() {
    if (Window* owner = window())
        owner->setFocusedControl(this);
}

} // namespace stowkeep::ui
