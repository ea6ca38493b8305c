#include "devicelib/hatchlink.h"
#include "devicelib/os_table.h"
#include "devicelib/poll.h"
#include "library_fixture.h"

#include <chrono>

namespace stowkeep::hatchlink::testing {
namespace {

class PollTest : public EnclosureTest {};

struct RouteCase {
    const char* name;
    bool administrator;
};

class PollRouteTest : public PollTest, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(PollRouteTest, PublishesTheDecodedButtonAndClosesTheCommandHandle) {
    IsAdministrator = GetParam().administrator;
    enclosure.firmware->PressButton(2, 0);
    EXPECT_EQ(PollButton(), 2);
    EXPECT_EQ(CommandHandle, kInvalidHandle);

    enclosure.firmware->PressButton(1, 2);
    EXPECT_EQ(PollButton(), 4);

    enclosure.firmware->refusedBuffers.set(0x63);
    EXPECT_EQ(PollButton(), 0);
    EXPECT_EQ(Count(sim::Op::GetClassDevs), 3 * 4);
}

INSTANTIATE_TEST_SUITE_P(Routes, PollRouteTest,
                         ::testing::Values(RouteCase{"Direct", true}, RouteCase{"Hub", false}),
                         NameOfCase{});

TEST_F(PollTest, UnpluggedEnclosureGivesZeroAtTheNextCycle) {
    enclosure.firmware->PressButton(2, 0);
    ASSERT_EQ(PollButton(), 2);

    machine.Unplug(enclosure.usb);

    EXPECT_EQ(PollButton(), 0);
    EXPECT_EQ(EnclosureTable.count, 0u);
}

class LifecycleTest : public PollTest {
  protected:
    void TearDown() override {
        if (PollThreadHandle != kInvalidHandle)
            DllEnd();
    }
    int Discoveries() const {
        const auto names = Names(sim::Op::GetClassDevs);
        return static_cast<int>(std::count(names.begin(), names.end(), u"USB"));
    }
};

struct HeldCodeCase {
    const char* name;
    std::int32_t held; // ButtonCode when DllSet is called
};

class FirstPollTest : public LifecycleTest, public ::testing::WithParamInterface<HeldCodeCase> {};

// The first poll is held in a busy wait of its hub exchanges while the button is
// pressed: until that poll has finished, ButtonStatus gives what it gave before.
TEST_P(FirstPollTest, ButtonStatusKeepsItsCodeUntilTheFirstPollHasFinished) {
    machine.threadSleep = sim::ThreadSleep::UntilWaitedFor;
    machine.admin = false;
    enclosure.firmware->busyBeforeChunk = 1;
    enclosure.firmware->PressButton(2, 0);
    ButtonCode.store(GetParam().held);

    ASSERT_NE(DllSet(), 0);
    while (machine.SleptMs() == 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));

    EXPECT_EQ(ButtonStatus(), GetParam().held);
    EXPECT_EQ(DllEnd(), -1);
    EXPECT_EQ(ButtonStatus(), 2);
}

INSTANTIATE_TEST_SUITE_P(Runs, FirstPollTest,
                         ::testing::Values(HeldCodeCase{"AfterLoading", 0},
                                           HeldCodeCase{"AfterAnEarlierRun", 5}),
                         NameOfCase{});

TEST_F(LifecycleTest, DllSetThenDllEndFinishesAtMostOneCycle) {
    machine.threadSleep = sim::ThreadSleep::UntilWaitedFor;
    machine.admin = false;
    enclosure.firmware->PressButton(2, 0);

    ASSERT_NE(DllSet(), 0);
    EXPECT_EQ(IsAdministrator, 0);
    EXPECT_EQ(DllEnd(), -1);

    EXPECT_LE(Discoveries(), 1);
    EXPECT_EQ(Count(sim::Op::BeginThread), 1);
    EXPECT_EQ(Count(sim::Op::WaitForThread), 1);
    EXPECT_EQ(machine.OpenHandles(), 0);
    EXPECT_EQ(PollThreadHandle, kInvalidHandle);
}

TEST_F(LifecycleTest, PollThreadKeepsPublishingUntilDllEnd) {
    machine.threadSleep = sim::ThreadSleep::Brief;
    enclosure.firmware->PressButton(2, 0);
    ASSERT_NE(DllSet(), 0);
    // Wait for a published code without spinning: each poll takes a brief sleep.
    while (ButtonStatus() != 2)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));

    EXPECT_EQ(DllEnd(), -1);
    EXPECT_EQ(ButtonStatus(), 2);
    EXPECT_GE(Count(sim::Op::Sleep, kPollPeriodMs), 1);
}

TEST_F(LifecycleTest, SecondDllSetIsRefusedWhileThePollRuns) {
    machine.threadSleep = sim::ThreadSleep::UntilWaitedFor;
    ASSERT_NE(DllSet(), 0);

    EXPECT_EQ(DllSet(), 0);

    EXPECT_EQ(Count(sim::Op::BeginThread), 1);
    EXPECT_EQ(DllEnd(), -1);
    EXPECT_EQ(machine.OpenHandles(), 0);
}

TEST_F(LifecycleTest, ThreadThatCannotStartLeavesTheLastCodeAndNothingToWaitFor) {
    machine.threadStartFails = true;
    ButtonCode.store(2);

    EXPECT_EQ(DllSet(), 0);

    EXPECT_EQ(ButtonStatus(), 2);
    EXPECT_EQ(DllEnd(), -1);
    EXPECT_EQ(Count(sim::Op::WaitForThread), 0);
}

TEST_F(LifecycleTest, DllEndClosesACommandHandleLeftOpen) {
    CommandHandle = Os().CreateFileW(enclosure.diskPath.c_str(), kGenericRead | kGenericWrite,
                                     kFileShareRead | kFileShareWrite, kOpenExisting, 0);
    ASSERT_NE(CommandHandle, kInvalidHandle);

    EXPECT_EQ(DllEnd(), 1);

    EXPECT_EQ(CommandHandle, kInvalidHandle);
    EXPECT_EQ(machine.OpenHandles(), 0);
}

} // namespace
} // namespace stowkeep::hatchlink::testing
