#pragma once

#include "ui/buttons.h"
#include "ui/list_view.h"
#include "ui/picture.h"
#include "ui/text_controls.h"
#include "ui/win32/peer.h"
#include "ui/win32/windows_api.h"

namespace stowkeep::ui::win32 {

// Owner-drawn BUTTON windows with hover tracking: push buttons, radio buttons, links and
// picture buttons share it.
class DrawnButtonPeer : public Peer {
  public:
    DrawnButtonPeer(Context& context, Control& control, bool tabStop);
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam) override;
    void drawItem(const DRAWITEMSTRUCT& item) override;

  protected:
    virtual void draw(HDC dc, RECT area, const DRAWITEMSTRUCT& item) = 0;
    virtual void pointerEntered() {}
    virtual void pointerLeft() {}
    void onChanged(Change, int, int) override { repaint(); }
    bool hot() const { return hot_; }
    ButtonLook look(const DRAWITEMSTRUCT& item) const;

  private:
    bool hot_ = false;
};

class ButtonPeer : public DrawnButtonPeer {
  public:
    ButtonPeer(Context& context, Button& button) : DrawnButtonPeer(context, button, true) {}
    void command(HWND, WORD code) override;

  protected:
    void draw(HDC dc, RECT area, const DRAWITEMSTRUCT& item) override;
};

class RadioPeer : public DrawnButtonPeer {
  public:
    RadioPeer(Context& context, RadioButton& radio) : DrawnButtonPeer(context, radio, true) {}
    void command(HWND, WORD code) override;
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    void draw(HDC dc, RECT area, const DRAWITEMSTRUCT& item) override;

  private:
    RadioButton& radio() const { return static_cast<RadioButton&>(control()); }
};

class LinkPeer : public DrawnButtonPeer {
  public:
    LinkPeer(Context& context, LinkLabel& link);
    void command(HWND, WORD code) override;
    void relayout() override;
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    void draw(HDC dc, RECT area, const DRAWITEMSTRUCT& item) override;
};

class PictureButtonPeer : public DrawnButtonPeer {
  public:
    PictureButtonPeer(Context& context, PictureButton& button)
        : DrawnButtonPeer(context, button, true) {}
    void command(HWND, WORD code) override;
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    void draw(HDC dc, RECT area, const DRAWITEMSTRUCT& item) override;
    void pointerEntered() override { button().pointerEnter(); }
    void pointerLeft() override { button().pointerLeave(); }

  private:
    PictureButton& button() const { return static_cast<PictureButton&>(control()); }
};

// Windows of our own classes that paint themselves.
class PicturePeer : public Peer {
  public:
    PicturePeer(Context& context, Picture& picture);
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    void onChanged(Change, int, int) override { repaint(); }
};

class LabelPeer : public Peer {
  public:
    LabelPeer(Context& context, Label& label);
    void relayout() override;
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    void onChanged(Change what, int, int) override;

  private:
    Label& label() const { return static_cast<Label&>(control()); }
    HFONT font() const;
    std::wstring shownText(RECT area) const;
};

class ProgressPeer : public Peer {
  public:
    ProgressPeer(Context& context, ProgressBar& bar);
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    void onChanged(Change, int, int) override { repaint(); }

  private:
    ProgressBar& bar() const { return static_cast<ProgressBar&>(control()); }
};

} // namespace stowkeep::ui::win32
