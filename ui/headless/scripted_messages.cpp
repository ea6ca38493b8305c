#include "ui/headless/scripted_messages.h"

#include <stdexcept>

namespace stowkeep::ui {

namespace {

bool fits(Answer answer, MessageButtons buttons) {
    if (answer == Answer::Closed)
        return true;
    return buttons == MessageButtons::Ok ? answer == Answer::Ok
                                         : answer == Answer::Yes || answer == Answer::No;
}

} // namespace

std::vector<std::wstring> ScriptedMessages::texts() const {
    std::vector<std::wstring> result;
    for (const auto& message : shown_)
        result.push_back(message.text);
    return result;
}

Answer ScriptedMessages::respond(std::wstring caption, std::wstring text, MessageKind kind,
                                 MessageButtons buttons) {
    Answer answer = buttons == MessageButtons::Ok ? Answer::Ok : Answer::Yes;
    if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
        if (!fits(answer, buttons))
            throw std::logic_error("scripted answer does not match the message's buttons");
    }
    shown_.push_back({std::move(caption), std::move(text), kind, buttons, answer});
    return answer;
}

} // namespace stowkeep::ui
