#include "ui/headless/headless_toolkit.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace stowkeep::ui {
namespace {

class DispatcherTest : public ::testing::Test {
  protected:
    HeadlessToolkit toolkit;
    HeadlessDispatcher& ui = toolkit.headlessDispatcher();
    std::thread::id uiThread = std::this_thread::get_id();
};

TEST_F(DispatcherTest, PostedWorkRunsOnTheUiThreadWhenMessagesAreProcessed) {
    std::thread::id ranOn;
    std::thread worker([&] { ui.post([&] { ranOn = std::this_thread::get_id(); }); });
    worker.join();
    EXPECT_EQ(ranOn, std::thread::id()) << "nothing runs before the UI thread pumps";
    ui.processPendingMessages();
    EXPECT_EQ(ranOn, uiThread);
}

TEST_F(DispatcherTest, SendFromAWorkerWaitsUntilTheUiThreadHasRunIt) {
    std::atomic<bool> returned = false;
    int result = 0;
    bool sent = false;
    std::thread worker([&] {
        sent = ui.send([&] { result = 42; });
        returned = true;
    });
    ui.waitForWork();
    EXPECT_FALSE(returned);
    ui.processPendingMessages();
    worker.join();
    EXPECT_TRUE(sent);
    EXPECT_EQ(result, 42);
}

TEST_F(DispatcherTest, SendOnTheUiThreadRunsAtOnce) {
    bool ran = false;
    EXPECT_TRUE(ui.onUiThread());
    EXPECT_TRUE(ui.send([&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_TRUE(ui.idle());
}

TEST_F(DispatcherTest, StopReleasesABlockedSenderWithoutRunningItsWork) {
    bool ran = false;
    bool sent = true;
    std::thread worker([&] { sent = ui.send([&] { ran = true; }); });
    ui.waitForWork();
    ui.stop();
    worker.join();
    EXPECT_FALSE(sent);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(ui.send([&] { ran = true; })) << "after stop nothing is sent";
}

TEST_F(DispatcherTest, WaitUntilServesSendsAndReturnsWhenSignalled) {
    // The exit path: the UI thread waits for a worker that first needs a send served.
    Signal finished;
    std::vector<int> order;
    std::thread worker([&] {
        ui.send([&] { order.push_back(1); });
        ui.post([&] { order.push_back(2); });
        finished.set();
    });
    ui.waitUntil(finished);
    worker.join();
    ui.processPendingMessages();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
}

TEST_F(DispatcherTest, WaitUntilReturnsAtOnceForASetSignal) {
    Signal done;
    done.set();
    ui.waitUntil(done);
    EXPECT_TRUE(done.isSet());
    done.reset();
    EXPECT_FALSE(done.isSet());
}

TEST_F(DispatcherTest, WorkPostedWhileProcessingWaitsForTheNextRound) {
    int rounds = 0;
    std::function<void()> again = [&] {
        ++rounds;
        ui.post(again);
    };
    ui.post(again);
    ui.processPendingMessages();
    ui.processPendingMessages();
    EXPECT_EQ(rounds, 2);
}

TEST_F(DispatcherTest, RunEndsWithTheCodeGivenToQuitFromAWorker) {
    std::thread worker([&] { ui.post([&] { toolkit.quit(3); }); });
    EXPECT_EQ(toolkit.run(), 3);
    worker.join();
}

} // namespace
} // namespace stowkeep::ui
