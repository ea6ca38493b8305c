#include "ui/headless/headless_dispatcher.h"

namespace stowkeep::ui {

HeadlessDispatcher::HeadlessDispatcher() : queue_([this] { wake(); }) {}

void HeadlessDispatcher::wake() {
    {
        std::lock_guard lock(mutex_);
        ++wakeups_;
    }
    woken_.notify_all();
}

void HeadlessDispatcher::waitUntil(Signal& signal) {
    auto previous = signal.exchangeWaker([this] { wake(); });
    for (;;) {
        unsigned seen;
        {
            std::lock_guard lock(mutex_);
            seen = wakeups_;
        }
        queue_.runPending();
        if (signal.isSet())
            break;
        std::unique_lock lock(mutex_);
        woken_.wait(lock, [&] { return wakeups_ != seen; });
    }
    signal.exchangeWaker(std::move(previous));
}

void HeadlessDispatcher::waitForWork() {
    std::unique_lock lock(mutex_);
    woken_.wait(lock, [this] { return !queue_.empty(); });
}

} // namespace stowkeep::ui
