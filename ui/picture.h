#pragma once

#include "ui/artwork.h"
#include "ui/control.h"

#include <functional>
#include <memory>

namespace stowkeep::ui {

class Timer;

// A picture; the picture can be swapped at any time (setPicture(other.picture())).
class Picture : public Control {
  public:
    Picture(std::string name, Rect bounds, PictureRef picture);
    ~Picture() override;
    Kind kind() const override { return Kind::Picture; }

    const PictureRef& picture() const { return picture_; }
    void setPicture(PictureRef picture);

    // Animated pictures step through their frames while the animation runs.
    int frame() const { return frame_; }
    void startAnimation(int intervalMs = 80);
    void stopAnimation();
    bool animating() const;

  private:
    void nextFrame();

    PictureRef picture_;
    int frame_ = 0;
    std::unique_ptr<Timer> timer_;
};

// A picture that acts as a button; its text names its function ("Backup").
class PictureButton : public Picture {
  public:
    PictureButton(std::string name, Rect bounds, std::wstring text, PictureRef picture);
    Kind kind() const override { return Kind::PictureButton; }

    std::function<void()> onClick;
    std::function<void()> onMouseDown;
    std::function<void()> onMouseEnter;
    std::function<void()> onMouseLeave;

    // What the user does; each raises its event. The pointer state is tracked so that a
    // second enter without a leave raises nothing.
    void click();
    void mouseDown();
    void pointerEnter();
    void pointerLeave();
    bool pointerInside() const { return inside_; }

  private:
    bool inside_ = false;
};

} // namespace stowkeep::ui
