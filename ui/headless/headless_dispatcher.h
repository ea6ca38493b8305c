#pragma once

#include "ui/dispatcher.h"
#include "ui/task_queue.h"

#include <condition_variable>
#include <mutex>

namespace stowkeep::ui {

// The UI thread's queue without a system behind it: the test thread is the UI thread and
// pumps it with processPendingMessages(); a send from another thread waits for that.
class HeadlessDispatcher : public Dispatcher {
  public:
    HeadlessDispatcher();

    void post(std::function<void()> work) override { queue_.post(std::move(work)); }
    bool send(std::function<void()> work) override { return queue_.send(std::move(work)); }
    void processPendingMessages() override { queue_.runPending(); }
    void waitUntil(Signal& signal) override;
    bool onUiThread() const override { return queue_.onOwnerThread(); }
    void stop() override { queue_.stop(); }

    bool idle() const { return queue_.empty(); }
    // Blocks until some work is queued (for tests that must wait for a worker's send).
    void waitForWork();

  private:
    void wake();

    std::mutex mutex_;
    std::condition_variable woken_;
    unsigned wakeups_ = 0;
    TaskQueue queue_;
};

} // namespace stowkeep::ui
