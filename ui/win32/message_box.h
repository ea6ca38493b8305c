#pragma once

#include "ui/message_dialog.h"
#include "ui/toolkit.h"
#include "ui/win32/context.h"
#include "ui/win32/windows_api.h"

namespace stowkeep::ui::win32 {

// The skinned message box: a modal window of our own with a sign, the text and the buttons.
// The owner is disabled while it shows; messages keep flowing.
class Win32MessageDialog : public MessageDialog {
  public:
    Win32MessageDialog(Context& context, const Window* owner, std::wstring title);
    Answer show(const std::wstring& text, MessageKind kind, MessageButtons buttons) override;

  private:
    Context& context_;
    const Window* owner_;
    std::wstring title_;
};

} // namespace stowkeep::ui::win32
