#pragma once

#include <string>

namespace stowkeep::ui {

enum class MessageKind {
    Notice,       // no icon, the application title as caption
    Confirmation, // question icon, the application title as caption
    Warning,      // warning icon, caption "Warning"
    Error,        // error icon, the application title as caption
};

enum class MessageButtons { Ok, YesNo };

enum class Answer { Ok, Yes, No, Closed };

// The message box of a window: shows a text modally and returns the button pressed.
class MessageDialog {
  public:
    virtual ~MessageDialog() = default;
    virtual Answer show(const std::wstring& text, MessageKind kind, MessageButtons buttons) = 0;

    void notice(const std::wstring& text) { show(text, MessageKind::Notice, MessageButtons::Ok); }
    Answer confirm(const std::wstring& text) {
        return show(text, MessageKind::Confirmation, MessageButtons::YesNo);
    }
    Answer warn(const std::wstring& text) {
        return show(text, MessageKind::Warning, MessageButtons::YesNo);
    }
    void error(const std::wstring& text) { show(text, MessageKind::Error, MessageButtons::Ok); }
};

// The caption a message of the given kind carries.
std::wstring messageCaption(MessageKind kind, const std::wstring& applicationTitle);

} // namespace stowkeep::ui
