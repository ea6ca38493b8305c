#pragma once

#include "ui/control.h"

#include <functional>

namespace stowkeep::ui {

// A push button. Enter presses the default button of a window, Esc its cancel button.
class Button : public Control {
  public:
    Button(std::string name, Rect bounds, std::wstring text);
    Kind kind() const override { return Kind::Button; }

    std::function<void()> onClick;
    void click(); // what a press does: raises onClick when enabled

    bool isDefault() const { return default_; }
    void setDefault(bool value);
    bool isCancel() const { return cancel_; }
    void setCancel(bool value);

  private:
    bool default_ = false;
    bool cancel_ = false;
};

// A web-address style label that can be clicked.
class LinkLabel : public Control {
  public:
    LinkLabel(std::string name, Rect bounds, std::wstring text);
    Kind kind() const override { return Kind::LinkLabel; }

    std::function<void()> onClick;
    void click();
};

// One choice of a group: selecting it clears the other radio buttons of the same container.
class RadioButton : public Control {
  public:
    RadioButton(std::string name, Rect bounds, std::wstring text);
    Kind kind() const override { return Kind::RadioButton; }

    bool checked() const { return checked_; }
    // Program side: true clears the siblings; raises no event.
    void setChecked(bool checked);

    std::function<void()> onClick;
    void click(); // the user picks it: selects it, then raises onClick (when enabled)

  private:
    bool checked_ = false;
};

} // namespace stowkeep::ui
