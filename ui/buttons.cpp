#include "ui/buttons.h"

#include "ui/container.h"

namespace stowkeep::ui {

Button::Button(std::string name, Rect bounds, std::wstring text)
    : Control(std::move(name), bounds, std::move(text)) {}

void Button::click() {
    if (enabled() && onClick)
        onClick();
}

void Button::setDefault(bool value) {
    default_ = value;
    notify(Change::Style);
}

void Button::setCancel(bool value) {
    cancel_ = value;
}

LinkLabel::LinkLabel(std::string name, Rect bounds, std::wstring text)
    : Control(std::move(name), bounds, std::move(text)) {}

void LinkLabel::click() {
    if (enabled() && onClick)
        onClick();
}

RadioButton::RadioButton(std::string name, Rect bounds, std::wstring text)
    : Control(std::move(name), bounds, std::move(text)) {}

void RadioButton::setChecked(bool checked) {
    if (checked && parent()) {
        for (const auto& sibling : parent()->children()) {
            auto* other = dynamic_cast<RadioButton*>(sibling.get());
            if (other && other != this && other->checked_) {
                other->checked_ = false;
                other->notify(Change::Checked);
            }
        }
    }
    if (checked_ == checked)
        return;
    checked_ = checked;
    notify(Change::Checked);
}

void RadioButton::click() {
    if (!enabled())
        return;
    setChecked(true);
    if (onClick)
        onClick();
}

} // namespace stowkeep::ui
