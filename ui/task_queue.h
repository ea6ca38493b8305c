#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace stowkeep::ui {

// The work queue behind both dispatchers: posts and sends from any thread, run on the
// owner thread. `wake` tells the owner thread that work has arrived.
class TaskQueue {
  public:
    explicit TaskQueue(std::function<void()> wake);

    void post(std::function<void()> work);
    bool send(std::function<void()> work); // blocks a foreign thread until it ran or stop()
    // Runs the work queued when it is called (work queued meanwhile waits for the next call).
    // Returns whether anything ran.
    bool runPending();
    bool empty() const;
    void stop();
    bool stopped() const;
    bool onOwnerThread() const { return std::this_thread::get_id() == owner_; }

  private:
    struct Task {
        std::function<void()> work;
        std::shared_ptr<struct SendState> sent; // null for posts
    };

    std::thread::id owner_;
    std::function<void()> wake_;
    mutable std::mutex mutex_;
    std::deque<Task> tasks_;
    bool stopped_ = false;
};

} // namespace stowkeep::ui
