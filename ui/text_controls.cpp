#include "ui/text_controls.h"

#include "ui/folder_dialog.h"
#include "ui/toolkit.h"

#include <charconv>
#include <string>

namespace stowkeep::ui {

Label::Label(std::string name, Rect bounds, std::wstring text, LabelStyle style)
    : Control(std::move(name), bounds, std::move(text)), style_(style) {}

void Label::setStyle(LabelStyle style) {
    style_ = style;
    notify(Change::Style);
}

void Label::setCompactText(std::wstring text, TextSpan yieldFirst) {
    if (compaction_ != yieldFirst) {
        compaction_ = yieldFirst;
        notify(Change::Style);
    }
    setText(std::move(text));
}

Edit::Edit(std::string name, Rect bounds, std::wstring text, int maxLength)
    : Control(std::move(name), bounds, std::move(text)), maxLength_(maxLength) {}

void Edit::type(std::wstring text) {
    if (maxLength_ > 0 && text.size() > static_cast<size_t>(maxLength_))
        text.resize(static_cast<size_t>(maxLength_));
    setText(std::move(text));
}

SpinEdit::SpinEdit(std::string name, Rect bounds, int value, int minimum, int maximum)
    : Control(std::move(name), bounds, std::to_wstring(value)), minimum_(minimum),
      maximum_(maximum) {}

std::optional<int> SpinEdit::value() const {
    std::string narrow;
    for (wchar_t c : text()) {
        if (c > 0x7F)
            return std::nullopt;
        narrow.push_back(static_cast<char>(c));
    }
    int number = 0;
    const char* end = narrow.data() + narrow.size();
    auto [stop, error] = std::from_chars(narrow.data(), end, number);
    if (narrow.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return number;
}

void SpinEdit::setValue(int value) {
    setText(std::to_wstring(value));
}

void SpinEdit::stepUp() {
    if (enabled())
        setValue(std::min(maximum_, std::max(minimum_, value().value_or(minimum_ - 1) + 1)));
}

void SpinEdit::stepDown() {
    if (enabled())
        setValue(std::max(minimum_, std::min(maximum_, value().value_or(minimum_ + 1) - 1)));
}

FolderEdit::FolderEdit(std::string name, Rect bounds, std::wstring text)
    : Control(std::move(name), bounds, std::move(text)) {}

bool FolderEdit::browse() {
    if (!enabled() || !toolkit())
        return false;
    auto chosen = toolkit()->folderDialog().browse(window(), text());
    if (!chosen)
        return false;
    setText(std::move(*chosen));
    if (onChange)
        onChange();
    return true;
}

} // namespace stowkeep::ui
