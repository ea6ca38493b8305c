#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>

namespace stowkeep::ui {

// A manual-reset event that any thread sets. The UI thread waits for it with
// Dispatcher::waitUntil, which keeps processing messages; other threads use wait().
class Signal {
  public:
    void set();
    void reset();
    bool isSet() const;
    void wait() const; // blocks the calling thread; no message processing

    // Dispatchers: called on every set() while installed; returns the previous waker.
    std::function<void()> exchangeWaker(std::function<void()> waker);

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    bool set_ = false;
    std::function<void()> waker_;
};

} // namespace stowkeep::ui
