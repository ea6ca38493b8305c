#pragma once

#include <memory>
#include <string>

namespace stowkeep::ui {

class Container;
class Toolkit;
class Window;

// Place and size in logical pixels (96 DPI); the Win32 side scales them to the monitor.
struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Rect&) const = default;
};

enum class Kind {
    Window,
    Panel,
    GroupBox,
    PageControl,
    Page,
    Button,
    PictureButton,
    Picture,
    Label,
    LinkLabel,
    RadioButton,
    Edit,
    SpinEdit,
    FolderEdit,
    ListView,
    ProgressBar,
    TrayIcon,
};

// What changed in a control's state; the real counterpart re-reads that part.
// `index`/`sub` carry a row and column where it matters.
enum class Change {
    Text,
    Bounds,
    Visible,
    Enabled,
    Focus,
    Style,
    Picture,
    Checked,
    Value,
    Columns,
    RowAdded,
    RowRemoved,
    RowsCleared,
    Cell,
    Selection,
    ActivePage,
    Front,
    Restore,
    Menu,
};

// The real window behind a control (Win32 backend). The headless backend has none.
class ControlPeer {
  public:
    virtual ~ControlPeer() = default;
    virtual void changed(Change what, int index, int sub) = 0;
};

// A control of a form: holds its own state; a backend peer, if any, mirrors it.
class Control {
  public:
    Control(std::string name, Rect bounds, std::wstring text = {});
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    virtual Kind kind() const = 0;
    const std::string& name() const { return name_; }

    // The text a person reads on the control (the window text in Win32).
    const std::wstring& text() const { return text_; }
    void setText(std::wstring text);

    Rect bounds() const { return bounds_; }
    void setBounds(Rect bounds);
    void setLeft(int left);
    void setTop(int top);

    // Own flag; a control is seen only when its parents are visible too.
    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    void setFocus();
    bool focused() const;

    // The control ID of its real window: 100, 101, ... in order of creation in its window.
    int controlId() const { return id_; }

    Container* parent() const { return parent_; }
    Window* window() const;
    Toolkit* toolkit() const { return toolkit_; }
    ControlPeer* peer() const { return peer_.get(); }

    // Backends report what the user did in the real control.
    void textFromUser(std::wstring text);
    void focusFromUser();

  protected:
    void notify(Change what, int index = -1, int sub = -1);

  private:
    friend class Container;
    friend class Toolkit;
    void attach(Toolkit& toolkit, Container* parent);

    std::string name_;
    Rect bounds_;
    std::wstring text_;
    bool visible_ = true;
    bool enabled_ = true;
    int id_ = 0;
    Container* parent_ = nullptr;
    Toolkit* toolkit_ = nullptr;
    std::unique_ptr<ControlPeer> peer_;
};

} // namespace stowkeep::ui
