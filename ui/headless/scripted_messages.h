#pragma once

#include "ui/message_dialog.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace stowkeep::ui {

struct RecordedMessage {
    std::wstring caption;
    std::wstring text;
    MessageKind kind;
    MessageButtons buttons;
    Answer answer;
    bool operator==(const RecordedMessage&) const = default;
};

// The responder of every headless message box: records each box and answers from a
// script. With no scripted answer left it presses the first button (OK or Yes).
class ScriptedMessages {
  public:
    void answerNext(Answer answer) { answers_.push_back(answer); }
    const std::vector<RecordedMessage>& shown() const { return shown_; }
    std::vector<std::wstring> texts() const;
    void clear() { shown_.clear(); }

    Answer respond(std::wstring caption, std::wstring text, MessageKind kind,
                   MessageButtons buttons);

  private:
    std::deque<Answer> answers_;
    std::vector<RecordedMessage> shown_;
};

} // namespace stowkeep::ui
