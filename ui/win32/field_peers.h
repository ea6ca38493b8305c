#pragma once

#include "ui/text_controls.h"
#include "ui/win32/peer.h"
#include "ui/win32/windows_api.h"

namespace stowkeep::ui::win32 {

// An EDIT window with a flat border of the skin; the user's typing goes into the model.
// Spin and folder fields add small buttons at its right.
class EditPeer : public Peer {
  public:
    EditPeer(Context& context, Control& control, int buttonsWidth);
    ~EditPeer() override;
    void changed(Change what, int index, int sub) override;
    void relayout() override;
    void command(HWND from, WORD code) override;
    void drawItem(const DRAWITEMSTRUCT& item) override;
    std::optional<LRESULT> handle(UINT message, WPARAM wParam, LPARAM lParam) override;

  protected:
    // The small buttons: created by subclasses with addButton.
    HWND addButton(const wchar_t* text);
    virtual void buttonClicked(int) {}
    virtual void drawButton(HDC, RECT, int, bool) {}

  private:
    void paintBorder();
    LRESULT centreText(WPARAM wParam, LPARAM lParam);

    int buttonsWidth_;
    std::vector<HWND> buttons_;
    bool applying_ = false;
};

class TextEditPeer : public EditPeer {
  public:
    TextEditPeer(Context& context, Edit& edit);
};

class SpinEditPeer : public EditPeer {
  public:
    SpinEditPeer(Context& context, SpinEdit& spin);

  protected:
    void buttonClicked(int index) override;
    void drawButton(HDC dc, RECT area, int index, bool pressed) override;
};

class FolderEditPeer : public EditPeer {
  public:
    FolderEditPeer(Context& context, FolderEdit& folder);

  protected:
    void buttonClicked(int index) override;
    void drawButton(HDC dc, RECT area, int index, bool pressed) override;
};

} // namespace stowkeep::ui::win32
