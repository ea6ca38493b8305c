#include "ui/window.h"

namespace stowkeep::ui {

Window::Window(std::string name, WindowOptions options)
    : Container(std::move(name), Rect{0, 0, options.clientWidth, options.clientHeight},
                options.caption),
      options_(std::move(options)) {
    setVisible(false);
}

void Window::show() {
    if (visible())
        return;
    everShown_ = true;
    setVisible(true);
    if (onShow)
        onShow();
}

void Window::hide() {
    setVisible(false);
}

void Window::bringToFront() {
    notify(Change::Front);
}

void Window::restore() {
    show();
    notify(Change::Restore);
}

bool Window::close() {
    if (onCloseQuery && !onCloseQuery())
        return false;
    hide();
    if (onClose)
        onClose();
    return true;
}

void Window::minimise() {
    if (onMinimise)
        onMinimise();
    else
        hide();
}

void Window::addMessageHook(MessageHook hook) {
    hooks_.push_back(std::move(hook));
}

std::optional<std::intptr_t> Window::deliver(const RawMessage& message) const {
    for (const auto& hook : hooks_)
        if (auto answer = hook(message))
            return answer;
    return std::nullopt;
}

namespace {

Control* byId(const Container& container, int id) {
    for (const auto& child : container.children()) {
        if (child->controlId() == id)
            return child.get();
        if (auto* inner = dynamic_cast<const Container*>(child.get()))
            if (Control* found = byId(*inner, id))
                return found;
    }
    return nullptr;
}

} // namespace

Control* Window::controlById(int id) const {
    return byId(*this, id);
}

void Window::setFocusedControl(Control* control) {
    focused_ = control;
}

} // namespace stowkeep::ui
