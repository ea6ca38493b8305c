#include "ui/task_queue.h"

namespace stowkeep::ui {

struct SendState {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    bool ran = false;

    void finish(bool hasRun) {
        {
            std::lock_guard lock(mutex);
            finished = true;
            ran = hasRun;
        }
        done.notify_all();
    }
};

TaskQueue::TaskQueue(std::function<void()> wake)
    : owner_(std::this_thread::get_id()), wake_(std::move(wake)) {}

void TaskQueue::post(std::function<void()> work) {
    {
        std::lock_guard lock(mutex_);
        if (stopped_)
            return;
        tasks_.push_back({std::move(work), nullptr});
    }
    wake_();
}

bool TaskQueue::send(std::function<void()> work) {
    if (onOwnerThread()) {
        if (stopped())
            return false;
        work();
        return true;
    }
    auto state = std::make_shared<SendState>();
    {
        std::lock_guard lock(mutex_);
        if (stopped_)
            return false;
        tasks_.push_back({std::move(work), state});
    }
    wake_();
    std::unique_lock lock(state->mutex);
    state->done.wait(lock, [&] { return state->finished; });
    return state->ran;
}

bool TaskQueue::runPending() {
    size_t count;
    {
        std::lock_guard lock(mutex_);
        count = tasks_.size();
    }
    bool ranAny = false;
    for (; count > 0; --count) {
        Task task;
        {
            std::lock_guard lock(mutex_);
            if (tasks_.empty())
                break;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task.work();
        if (task.sent)
            task.sent->finish(true);
        ranAny = true;
    }
    return ranAny;
}

bool TaskQueue::empty() const {
    std::lock_guard lock(mutex_);
    return tasks_.empty();
}

void TaskQueue::stop() {
    std::deque<Task> dropped;
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
        dropped.swap(tasks_);
    }
    for (auto& task : dropped)
        if (task.sent)
            task.sent->finish(false);
}

bool TaskQueue::stopped() const {
    std::lock_guard lock(mutex_);
    return stopped_;
}

} // namespace stowkeep::ui
