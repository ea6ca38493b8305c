#include "ui/picture.h"

#include "ui/toolkit.h"

#include <chrono>

namespace stowkeep::ui {

Picture::Picture(std::string name, Rect bounds, PictureRef picture)
    : Control(std::move(name), bounds), picture_(std::move(picture)) {}

Picture::~Picture() = default;

void Picture::setPicture(PictureRef picture) {
    if (picture == picture_)
        return;
    picture_ = std::move(picture);
    frame_ = 0;
    notify(Change::Picture);
}

void Picture::startAnimation(int intervalMs) {
    if (!toolkit())
        return;
    frame_ = 0;
    notify(Change::Picture);
    timer_ = toolkit()->createTimer(std::chrono::milliseconds(intervalMs), [this] { nextFrame(); });
    timer_->start();
}

void Picture::stopAnimation() {
    timer_.reset();
}

bool Picture::animating() const {
    return timer_ && timer_->running();
}

void Picture::nextFrame() {
    int frames = picture_ ? picture_->frameCount() : 1;
    frame_ = frames > 1 ? (frame_ + 1) % frames : 0;
    notify(Change::Picture);
}

PictureButton::PictureButton(std::string name, Rect bounds, std::wstring text, PictureRef picture)
    : Picture(std::move(name), bounds, std::move(picture)) {
    setText(std::move(text));
}

void PictureButton::click() {
    if (enabled() && onClick)
        onClick();
}

void PictureButton::mouseDown() {
    if (enabled() && onMouseDown)
        onMouseDown();
}

void PictureButton::pointerEnter() {
    if (inside_)
        return;
    inside_ = true;
    if (enabled() && onMouseEnter)
        onMouseEnter();
}

void PictureButton::pointerLeave() {
    if (!inside_)
        return;
    inside_ = false;
    if (enabled() && onMouseLeave)
        onMouseLeave();
}

} // namespace stowkeep::ui
