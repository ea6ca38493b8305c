#include "ui/message_dialog.h"

namespace stowkeep::ui {

std::wstring messageCaption(MessageKind kind, const std::wstring& applicationTitle) {
    return kind == MessageKind::Warning ? L"Warning" : applicationTitle;
}

} // namespace stowkeep::ui
