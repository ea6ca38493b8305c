#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace stowkeep::drives::testing {

// Long enough never to be reached by a working program; it only keeps a
// broken one from hanging the test run.
inline constexpr auto kGiveUp = std::chrono::seconds(20);

// A count that other threads raise and a test waits on.
class Counter {
  public:
    void Raise() {
        {
            std::lock_guard lock(mutex_);
            ++count_;
        }
        changed_.notify_all();
    }
    int Value() {
        std::lock_guard lock(mutex_);
        return count_;
    }
    bool WaitFor(int count) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, kGiveUp, [&] { return count_ >= count; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    int count_ = 0;
};

// The injected settle wait: counts its calls and, while closed, holds the
// watcher inside the settle until the test opens it.
class SettleGate {
  public:
    void Settle() {
        entered_.Raise();
        std::unique_lock lock(mutex_);
        opened_.wait(lock, [&] { return open_; });
    }
    void Open() {
        {
            std::lock_guard lock(mutex_);
            open_ = true;
        }
        opened_.notify_all();
    }
    void Close() {
        std::lock_guard lock(mutex_);
        open_ = false;
    }
    Counter& Entered() { return entered_; }

  private:
    Counter entered_;
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = true;
};

// The UI thread's queue: posts from any thread, run when the test pumps.
class UiQueue {
  public:
    void Post(std::function<void()> work) {
        {
            std::lock_guard lock(mutex_);
            work_.push_back(std::move(work));
        }
        posted_.notify_all();
    }
    bool WaitForWork() {
        std::unique_lock lock(mutex_);
        return posted_.wait_for(lock, kGiveUp, [&] { return !work_.empty(); });
    }
    // Runs what is queued now; returns how many items ran.
    int Pump() {
        std::deque<std::function<void()>> work;
        {
            std::lock_guard lock(mutex_);
            work.swap(work_);
        }
        for (auto& item : work) {
            item();
        }
        return static_cast<int>(work.size());
    }

  private:
    std::mutex mutex_;
    std::condition_variable posted_;
    std::deque<std::function<void()>> work_;
};

} // namespace stowkeep::drives::testing
