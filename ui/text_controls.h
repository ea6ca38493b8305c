#pragma once

#include "ui/compact_text.h"
#include "ui/container.h"
#include "ui/control.h"

#include <functional>
#include <optional>

namespace stowkeep::ui {

class Label : public Control {
  public:
    // A width or height of 0 lets the backend size the label to its text.
    Label(std::string name, Rect bounds, std::wstring text, LabelStyle style = {});
    Kind kind() const override { return Kind::Label; }

    LabelStyle style() const { return style_; }
    void setStyle(LabelStyle style);

    // A text that, when wider than the label, is drawn with a middle stretch as "...", taken
    // from `yieldFirst` while that suffices. The text itself stays whole.
    void setCompactText(std::wstring text, TextSpan yieldFirst);
    // The stretch that gives way first; nullopt for a label whose text is never compacted.
    std::optional<TextSpan> compaction() const { return compaction_; }

  private:
    LabelStyle style_;
    std::optional<TextSpan> compaction_;
};

// A one-line text field. maxLength 0 means no limit.
class Edit : public Control {
  public:
    Edit(std::string name, Rect bounds, std::wstring text, int maxLength = 0);
    Kind kind() const override { return Kind::Edit; }

    int maxLength() const { return maxLength_; }
    // What the user types: cut to maxLength, as the real field does.
    void type(std::wstring text);

  private:
    int maxLength_;
};

// A whole-number field with up and down arrows. The text is what the field shows; it may
// hold something that is not a number when typed by the user.
class SpinEdit : public Control {
  public:
    SpinEdit(std::string name, Rect bounds, int value, int minimum, int maximum);
    Kind kind() const override { return Kind::SpinEdit; }

    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // The text read as a whole number; nullopt when it is not one.
    std::optional<int> value() const;
    void setValue(int value);
    void stepUp();   // the up arrow: value + 1 within the range
    void stepDown(); // the down arrow

  private:
    int minimum_, maximum_;
};

// A folder path field with a browse button that asks the toolkit's folder dialog.
class FolderEdit : public Control {
  public:
    FolderEdit(std::string name, Rect bounds, std::wstring text);
    Kind kind() const override { return Kind::FolderEdit; }

    // The browse button: opens the folder dialog at the current text; a chosen folder
    // becomes the text. Returns whether one was chosen.
    bool browse();
    std::function<void()> onChange; // after browse() changed the text
};

} // namespace stowkeep::ui
