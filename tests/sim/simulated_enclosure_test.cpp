// The simulated enclosure under the device library's own poll, as the demo
// flavour's Hatchlink.dll runs it.
#include "devicelib/hatchlink.h"
#include "devicelib/poll.h"
#include "sim/simulated_enclosure.h"
#include "tests/devicelib/library_fixture.h"

#include <gtest/gtest.h>

namespace stowkeep::sim {
namespace {

class SimulatedEnclosureTest : public ::testing::Test {
  protected:
    void SetUp() override { hatchlink::testing::ResetLibrary(true); }

    EnclosureState state;
    Machine machine;
    SimulatedEnclosure enclosure{machine, state};
};

TEST_F(SimulatedEnclosureTest, PressIsReportedByOnePollAndHoldByEvery) {
    EXPECT_EQ(hatchlink::PollButton(), 0);

    state.presses = 1;
    enclosure.Apply(state);
    EXPECT_EQ(hatchlink::PollButton(), 2);
    EXPECT_EQ(hatchlink::PollButton(), 0);

    state.held = true;
    enclosure.Apply(state);
    EXPECT_EQ(hatchlink::PollButton(), 2);
    EXPECT_EQ(hatchlink::PollButton(), 2);

    state.held = false;
    enclosure.Apply(state);
    EXPECT_EQ(hatchlink::PollButton(), 0);
}

TEST(SimulatedEnclosureStart, PressesMadeBeforeItStartsAreNotReported) {
    hatchlink::testing::ResetLibrary(true);
    Machine machine;
    SimulatedEnclosure enclosure(machine, {true, L'E', 9, false});
    EXPECT_EQ(hatchlink::PollButton(), 0);
}

TEST_F(SimulatedEnclosureTest, PulledOutItIsGoneAndPluggedBackItAnswersAgain) {
    ASSERT_EQ(hatchlink::PollButton(), 0);
    ASSERT_EQ(hatchlink::EnclosureTable.count, 1u);

    state.plugged = false;
    state.presses = 1;
    enclosure.Apply(state);
    EXPECT_FALSE(enclosure.Plugged());
    EXPECT_EQ(enclosure.UsbDevice(), 0u);
    EXPECT_EQ(hatchlink::PollButton(), 0);
    EXPECT_EQ(hatchlink::EnclosureTable.count, 0u);

    state.plugged = true;
    state.presses = 2;
    enclosure.Apply(state);
    EXPECT_EQ(hatchlink::PollButton(), 2);
    EXPECT_EQ(hatchlink::EnclosureTable.count, 1u);
    EXPECT_EQ(hatchlink::EnclosureTable.records[0].letters[0][0], u'E');
    EXPECT_EQ(machine.OpenHandles(), 0);
}

TEST_F(SimulatedEnclosureTest, ANewLetterTakesThePlaceOfTheOldOne) {
    state.letter = L'K';
    enclosure.Apply(state);
    ASSERT_EQ(hatchlink::PollButton(), 0);
    ASSERT_EQ(hatchlink::EnclosureTable.count, 1u);
    const auto& record = hatchlink::EnclosureTable.records[0];
    EXPECT_EQ(std::u16string(record.letters[0], record.letterCounts[0]), u"K");
}

TEST_F(SimulatedEnclosureTest, HandlesOpenWhenItIsPulledOutFailButStillClose) {
    const std::u16string disk = u"\\\\?\\usbstor#disk#1&0#{disk}";
    const Handle handle =
        machine.CreateFile(disk.c_str(), hatchlink::kGenericRead, hatchlink::kFileShareRead);
    ASSERT_NE(handle, hatchlink::kInvalidHandle);

    state.plugged = false;
    enclosure.Apply(state);

    hatchlink::StorageDeviceNumber number{};
    std::uint32_t returned = 0;
    EXPECT_EQ(machine.IoControl(handle, hatchlink::kIoctlStorageGetDeviceNumber, nullptr, 0,
                                &number, sizeof number, &returned),
              0);
    EXPECT_EQ(machine.CloseHandle(handle), 1);
    EXPECT_EQ(machine.OpenHandles(), 0);
}

} // namespace
} // namespace stowkeep::sim
