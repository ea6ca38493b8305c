#include "ui/win32/message_box.h"

#include "ui/ui.h"
#include "ui/win32/peer.h"
#include "ui/win32/windows_api.h"

#include <algorithm>

namespace stowkeep::ui::win32 {

namespace {

constexpr int TextWidth = 340;
constexpr int ButtonWidth = 80, ButtonHeight = 26, ButtonGap = 8;

const wchar_t* signOf(MessageKind kind) {
    switch (kind) {
    case MessageKind::Confirmation:
        return picture_names::IconQuestion;
    case MessageKind::Warning:
        return picture_names::IconWarning;
    case MessageKind::Error:
        return picture_names::IconError;
    case MessageKind::Notice:
        break;
    }
    return nullptr;
}

struct Choice {
    const char* name;
    const wchar_t* caption;
    Answer answer;
};

std::vector<Choice> choicesOf(MessageButtons buttons) {
    if (buttons == MessageButtons::YesNo)
        return {{"Yes", L"Yes", Answer::Yes}, {"No", L"No", Answer::No}};
    return {{"OK", L"OK", Answer::Ok}};
}

HWND hwndOf(const Window* window) {
    auto* peer = window ? static_cast<Peer*>(window->peer()) : nullptr;
    return peer ? peer->hwnd() : nullptr;
}

} // namespace

Win32MessageDialog::Win32MessageDialog(Context& context, const Window* owner, std::wstring title)
    : context_(context), owner_(owner), title_(std::move(title)) {}

Answer Win32MessageDialog::show(const std::wstring& text, MessageKind kind,
                                MessageButtons buttons) {
    Toolkit& toolkit = *context_.toolkit;
    const wchar_t* sign = signOf(kind);
    auto choices = choicesOf(buttons);

    SIZE extent = context_.skin.measure(text, context_.skin.font(96), TextWidth);
    int textLeft = sign ? 22 + 32 + 14 : 24;
    int contentHeight = std::max<int>(extent.cy, sign ? 32 : 0);
    int buttonsWidth = static_cast<int>(choices.size()) * (ButtonWidth + ButtonGap) - ButtonGap;
    int width = std::max({textLeft + static_cast<int>(extent.cx) + 28, buttonsWidth + 40, 260});
    int buttonsTop = 22 + contentHeight + 22;
    int height = buttonsTop + ButtonHeight + 16;

    WindowOptions options{
        messageCaption(kind, title_), width, height, Frame::Dialog, false, owner_};
    auto box = toolkit.createWindow("spSkinMessage1", options);
    if (sign)
        box->addPicture("Sign", {22, 22, 32, 32}, toolkit.pictures().get(sign));
    int textTop = 22 + (contentHeight - extent.cy) / 2;
    box->addLabel("Text", {textLeft, textTop, TextWidth, static_cast<int>(extent.cy) + 2}, text,
                  {false, 0, true, false});

    Signal answered;
    Answer answer = buttons == MessageButtons::Ok ? Answer::Ok : Answer::No;
    int left = width - 20 - buttonsWidth;
    Button* first = nullptr;
    for (const auto& choice : choices) {
        auto& button = box->addButton(choice.name, {left, buttonsTop, ButtonWidth, ButtonHeight},
                                      choice.caption);
        button.onClick = [&answer, &answered, value = choice.answer] {
            answer = value;
            answered.set();
        };
        button.setDefault(!first);
        button.setCancel(choice.answer == Answer::No || buttons == MessageButtons::Ok);
        first = first ? first : &button;
        left += ButtonWidth + ButtonGap;
    }
    // A Yes/No question has to be answered; a notice may be closed like its OK button.
    box->onCloseQuery = [&] {
        if (buttons == MessageButtons::Ok)
            answered.set();
        return false;
    };

    HWND owner = hwndOf(owner_);
    bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled)
        EnableWindow(owner, FALSE);
    box->show();
    first->setFocus();
    MessageBeep(kind == MessageKind::Error     ? MB_ICONHAND
                : kind == MessageKind::Warning ? MB_ICONEXCLAMATION
                                               : MB_OK);
    toolkit.dispatcher().waitUntil(answered);
    if (ownerWasEnabled)
        EnableWindow(owner, TRUE);
    box->hide();
    if (owner && IsWindowVisible(owner))
        SetForegroundWindow(owner);
    return answer;
}

} // namespace stowkeep::ui::win32
