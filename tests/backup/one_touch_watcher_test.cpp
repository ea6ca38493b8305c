#include "backup/one_touch_watcher.h"

#include <condition_variable>
#include <deque>
#include <future>
#include <gtest/gtest.h>
#include <mutex>
#include <vector>

namespace stowkeep::backup {
namespace {

using namespace std::chrono_literals;

// The user-interface thread's queue: the test thread pumps it.
class UiQueue {
  public:
    void Post(TThreadOTB::Task task) {
        {
            std::lock_guard lock(mutex_);
            tasks_.push_back(std::move(task));
        }
        changed_.notify_all();
    }
    // Runs tasks as they come until one of them calls Quit.
    void PumpUntilQuit() {
        quit_ = false;
        while (!quit_) {
            WaitForTask()();
        }
    }
    void Quit() { quit_ = true; }
    void WaitUntilNotEmpty() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return !tasks_.empty(); });
    }
    void RunPending() {
        for (;;) {
            std::unique_lock lock(mutex_);
            if (tasks_.empty()) {
                return;
            }
            auto task = std::move(tasks_.front());
            tasks_.pop_front();
            lock.unlock();
            task();
        }
    }

  private:
    TThreadOTB::Task WaitForTask() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return !tasks_.empty(); });
        auto task = std::move(tasks_.front());
        tasks_.pop_front();
        return task;
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<TThreadOTB::Task> tasks_;
    bool quit_ = false; // touched on the pumping thread only
};

class OneTouchWatcherTest : public ::testing::Test {
  protected:
    TThreadOTB::Hooks HooksWith(std::function<int32_t()> buttonStatus, TThreadOTB::Task react) {
        return {std::move(buttonStatus), [this](TThreadOTB::Task t) { ui.Post(std::move(t)); },
                std::move(react)};
    }

    std::atomic<int> exitFlag{0};
    UiQueue ui;
};

struct CodeCase {
    std::vector<int32_t> codes;
    int reactions;
};

class OneTouchCodesTest : public OneTouchWatcherTest,
                          public ::testing::WithParamInterface<CodeCase> {};

// Each code is read in one cycle; only 2 reacts, on the UI thread, once per cycle.
TEST_P(OneTouchCodesTest, ReactsOnCodeTwoOnly) {
    const auto& codes = GetParam().codes;
    std::size_t next = 0; // watcher thread only
    int reactions = 0;    // UI thread only
    const auto uiThread = std::this_thread::get_id();
    bool reactedOnUi = true;
    auto status = [&]() -> int32_t {
        if (next == codes.size()) {
            ui.Post([&] { ui.Quit(); });
            ++next;
        }
        return next < codes.size() ? codes[next++] : 0;
    };
    TThreadOTB watcher(exitFlag,
                       HooksWith(status,
                                 [&] {
                                     ++reactions;
                                     reactedOnUi =
                                         reactedOnUi && std::this_thread::get_id() == uiThread;
                                 }),
                       1ms);
    ui.PumpUntilQuit();
    exitFlag = 1;
    watcher.WaitFor();
    EXPECT_EQ(reactions, GetParam().reactions);
    EXPECT_TRUE(reactedOnUi);
}

INSTANTIATE_TEST_SUITE_P(Codes, OneTouchCodesTest,
                         ::testing::Values(CodeCase{{0, 4, 1, 3, -2, 0x102, 6}, 0},
                                           CodeCase{{2}, 1}, CodeCase{{0, 2, 2, 4, 2}, 3}));

TEST_F(OneTouchWatcherTest, ExitFlagSetBeforeStartNeverAsks) {
    exitFlag = 1;
    std::atomic<int> asked{0};
    TThreadOTB watcher(exitFlag, HooksWith([&] { return ++asked, 2; }, [] {}));
    watcher.WaitFor();
    EXPECT_EQ(asked.load(), 0);
}

// The period is a day: WaitFor returning at all shows that Exit cuts the sleep short.
TEST_F(OneTouchWatcherTest, ExitEndsTheSleepAtOnce) {
    std::promise<void> firstAsk;
    std::atomic<int> asked{0};
    TThreadOTB watcher(exitFlag,
                       HooksWith(
                           [&] {
                               if (++asked == 1) {
                                   firstAsk.set_value();
                               }
                               return 0;
                           },
                           [] {}),
                       24h);
    firstAsk.get_future().wait();
    exitFlag = 1;
    watcher.WaitFor();
    EXPECT_EQ(asked.load(), 1);
}

// Exit arrives through the nested message loop of a reaction in progress.
TEST_F(OneTouchWatcherTest, ExitDuringAReactionDoesNotDeadlock) {
    std::unique_ptr<TThreadOTB> watcher;
    int reactions = 0;
    std::promise<void> created;
    auto createdFuture = created.get_future().share();
    watcher = std::make_unique<TThreadOTB>(exitFlag,
                                           HooksWith(
                                               [&] {
                                                   createdFuture.wait();
                                                   return 2;
                                               },
                                               [&] {
                                                   ++reactions;
                                                   exitFlag = 1;
                                                   watcher->WaitFor();
                                                   ui.Quit();
                                               }),
                                           24h);
    created.set_value();
    ui.PumpUntilQuit();
    EXPECT_EQ(reactions, 1);
    watcher.reset();
    ui.RunPending();
}

// A reaction still queued when Exit comes is dropped, also after the watcher is gone.
TEST_F(OneTouchWatcherTest, ReactionQueuedAtExitIsDropped) {
    int reactions = 0;
    auto watcher = std::make_unique<TThreadOTB>(
        exitFlag, HooksWith([] { return 2; }, [&] { ++reactions; }), 24h);
    ui.WaitUntilNotEmpty();
    exitFlag = 1;
    watcher->WaitFor();
    watcher.reset();
    ui.RunPending();
    EXPECT_EQ(reactions, 0);
}

} // namespace
} // namespace stowkeep::backup
