#include "ui/signal.h"

namespace stowkeep::ui {

void Signal::set() {
    std::function<void()> waker;
    {
        std::lock_guard lock(mutex_);
        set_ = true;
        waker = waker_;
    }
    changed_.notify_all();
    if (waker)
        waker();
}

void Signal::reset() {
    std::lock_guard lock(mutex_);
    set_ = false;
}

bool Signal::isSet() const {
    std::lock_guard lock(mutex_);
    return set_;
}

void Signal::wait() const {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return set_; });
}

std::function<void()> Signal::exchangeWaker(std::function<void()> waker) {
    std::lock_guard lock(mutex_);
    std::swap(waker, waker_);
    return waker;
}

} // namespace stowkeep::ui
