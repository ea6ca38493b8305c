#include "ui/art/message_icons.h"

#include "ui/art/canvas.h"

namespace stowkeep::ui {

namespace {

using namespace art;

void questionMark(Canvas& c) {
    c.fill(circle(16, 16, 15), verticalGradient(1, rgb(0x4BA3F2), 31, rgb(0x1F6FC2)));
    Shape hook = subtract(circle(16, 12.5f, 6.2f), circle(16, 12.5f, 3.2f));
    hook = subtract(hook, polygon({{9, 13}, {16, 13}, {16, 20}, {9, 20}}));
    c.fill(hook, solid(rgb(0xFFFFFF)));
    c.fill(capsule({16, 17}, {16, 19}, 1.5f), solid(rgb(0xFFFFFF)));
    c.fill(circle(16, 24, 1.9f), solid(rgb(0xFFFFFF)));
}

void warningSign(Canvas& c) {
    Shape triangle = polygon({{16, 2.5f}, {30.5f, 28.5f}, {1.5f, 28.5f}});
    c.fill(outline(triangle, 1.2f), solid(rgb(0xE09A12)));
    c.fill(triangle, verticalGradient(3, rgb(0xFFD45C), 28, rgb(0xF5B01E)));
    c.fill(capsule({16, 11}, {16, 19.5f}, 1.8f), solid(rgb(0x3A2A05)));
    c.fill(circle(16, 24, 1.9f), solid(rgb(0x3A2A05)));
}

void errorSign(Canvas& c) {
    c.fill(circle(16, 16, 15), verticalGradient(1, rgb(0xF0605A), 31, rgb(0xC9302C)));
    c.fill(capsule({10.5f, 10.5f}, {21.5f, 21.5f}, 2), solid(rgb(0xFFFFFF)));
    c.fill(capsule({21.5f, 10.5f}, {10.5f, 21.5f}, 2), solid(rgb(0xFFFFFF)));
}

PictureRef icon(const wchar_t* name, void (*draw)(Canvas&)) {
    return std::make_shared<Artwork>(name, 32, 32, 1, [draw](int, double scale) {
        Canvas c(32, 32, scale);
        draw(c);
        return c.bitmap();
    });
}

} // namespace

void addMessageIcons(PictureStore& store) {
    store.add(icon(picture_names::IconQuestion, questionMark));
    store.add(icon(picture_names::IconWarning, warningSign));
    store.add(icon(picture_names::IconError, errorSign));
}

} // namespace stowkeep::ui
