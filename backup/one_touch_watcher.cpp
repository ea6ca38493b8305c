#include "backup/one_touch_watcher.h"

#include <condition_variable>
#include <mutex>

namespace stowkeep::backup {

// Outlives the watcher: a task still in the UI queue holds it.
struct TThreadOTB::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    bool terminated = false;
    std::uint64_t finishedReactions = 0;
};

TThreadOTB::TThreadOTB(const std::atomic<int>& exitFlag, Hooks hooks,
                       std::chrono::milliseconds period)
    : exitFlag_(exitFlag), hooks_(std::move(hooks)), period_(period),
      shared_(std::make_shared<Shared>()), thread_([this] { Execute(); }) {}

TThreadOTB::~TThreadOTB() {
    WaitFor();
}

void TThreadOTB::Terminate() {
    {
        std::lock_guard lock(shared_->mutex);
        shared_->terminated = true;
    }
    shared_->wake.notify_all();
}

void TThreadOTB::WaitFor() {
    Terminate();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void TThreadOTB::Execute() {
    for (;;) {
        if (exitFlag_.load() != 0) {
            return;
        }
        if (hooks_.ButtonStatus() == BackupCode) {
            RunReactionOnUi();
        }
        if (!SleepUnlessTerminated()) {
            return;
        }
    }
}

void TThreadOTB::RunReactionOnUi() {
    std::unique_lock lock(shared_->mutex);
    if (shared_->terminated) {
        return;
    }
    const std::uint64_t ticket = shared_->finishedReactions + 1;
    lock.unlock();

    hooks_.PostToUi([shared = shared_, react = hooks_.React] {
        bool dropped;
        {
            std::lock_guard guard(shared->mutex);
            dropped = shared->terminated;
        }
        if (!dropped) {
            react();
        }
        {
            std::lock_guard guard(shared->mutex);
            ++shared->finishedReactions;
        }
        shared->wake.notify_all();
    });

    lock.lock();
    shared_->wake.wait(lock,
                       [&] { return shared_->terminated || shared_->finishedReactions >= ticket; });
}

bool TThreadOTB::SleepUnlessTerminated() {
    std::unique_lock lock(shared_->mutex);
    return !shared_->wake.wait_for(lock, period_, [&] { return shared_->terminated; });
}

} // namespace stowkeep::backup
