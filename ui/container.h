#pragma once

#include "ui/artwork.h"
#include "ui/control.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace stowkeep::ui {

class Button;
class FolderEdit;
class GroupBox;
class Label;
class LinkLabel;
class ListView;
class PageControl;
class Panel;
class Picture;
class PictureButton;
class ProgressBar;
class RadioButton;
class SpinEdit;
class Edit;

struct LabelStyle {
    bool bold = false;
    int sizePx = 0;    // character height in logical pixels; 0 = the skin's normal size
    bool wrap = false; // several lines, broken at word ends
    bool centred = false;
};

struct Column {
    std::wstring header;
    int width = 100;
};

// A control that holds other controls. Controls are created through it and owned by it;
// their bounds are relative to it. Radio buttons with the same container form one group.
class Container : public Control {
  public:
    using Control::Control;
    ~Container() override;

    template <class T, class... Args> T& add(Args&&... args) {
        auto owned = std::make_unique<T>(std::forward<Args>(args)...);
        T& control = *owned;
        adopt(std::move(owned));
        return control;
    }

    Button& addButton(std::string name, Rect bounds, std::wstring text);
    Label& addLabel(std::string name, Rect bounds, std::wstring text, LabelStyle style = {});
    LinkLabel& addLinkLabel(std::string name, Rect bounds, std::wstring text);
    Panel& addPanel(std::string name, Rect bounds, bool framed);
    GroupBox& addGroupBox(std::string name, Rect bounds, std::wstring caption);
    RadioButton& addRadioButton(std::string name, Rect bounds, std::wstring text);
    Edit& addEdit(std::string name, Rect bounds, std::wstring text, int maxLength = 0);
    SpinEdit& addSpinEdit(std::string name, Rect bounds, int value, int minimum, int maximum);
    FolderEdit& addFolderEdit(std::string name, Rect bounds, std::wstring text);
    ListView& addListView(std::string name, Rect bounds, std::vector<Column> columns);
    ProgressBar& addProgressBar(std::string name, Rect bounds);
    Picture& addPicture(std::string name, Rect bounds, PictureRef picture);
    PictureButton& addPictureButton(std::string name, Rect bounds, std::wstring text,
                                    PictureRef picture);
    PageControl& addPageControl(std::string name, Rect bounds);

    // Depth-first search of this container's controls by name.
    Control* findControl(std::string_view name) const;
    template <class T> T* find(std::string_view name) const {
        return dynamic_cast<T*>(findControl(name));
    }
    // As find, but a missing control or one of another kind is a programming error.
    template <class T> T& get(std::string_view name) const {
        if (T* control = find<T>(name))
            return *control;
        throw std::out_of_range("no control " + std::string(name));
    }

    const std::vector<std::unique_ptr<Control>>& children() const { return children_; }
    void adopt(std::unique_ptr<Control> child);

  private:
    std::vector<std::unique_ptr<Control>> children_;
};

} // namespace stowkeep::ui
