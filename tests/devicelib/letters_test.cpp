#include "devicelib/discovery.h"
#include "devicelib/os_table.h"
#include "library_fixture.h"

namespace stowkeep::hatchlink::testing {
namespace {

class LettersTest : public LibraryTest {
  protected:
    void Discover() {
        const Handle h = DiscoverEnclosure();
        ASSERT_NE(h, kInvalidHandle);
        Os().CloseHandle(h);
    }
    bool Opened(char16_t letter) const {
        const std::u16string volume = std::u16string(u"\\\\.\\") + letter + u":";
        const auto names = Names(sim::Op::CreateFile);
        return std::find(names.begin(), names.end(), volume) != names.end();
    }
};

TEST_F(LettersTest, CdromAndDiskWithTheSameDeviceNumberStayApart) {
    sim::AddEnclosure(
        machine, root,
        {.diskLetters = u"E", .cdromLetters = u"D", .diskNumber = 0, .cdromNumber = 0});

    Discover();

    EXPECT_EQ(Letters(0), u"E");
    EXPECT_EQ(Letters(1), u"D");
}

TEST_F(LettersTest, OtherDisksLettersAreNotTaken) {
    machine.AddLetter(u'C', kDriveFixed, u"\\Device\\HarddiskVolume2", 0);
    sim::AddUsbDisk(machine, root, 3, 2, u'H');
    sim::AddEnclosure(machine, root, {});

    Discover();

    EXPECT_EQ(Letters(0), u"EF");
    EXPECT_EQ(Letters(1), u"G");
    EXPECT_TRUE(Opened(u'C'));
    EXPECT_TRUE(Opened(u'H'));
}

TEST_F(LettersTest, FloppyAndNetworkDrivesAreNeverOpened) {
    machine.AddLetter(u'A', kDriveRemovable, u"\\Device\\Floppy0", 1);
    machine.AddLetter(u'B', kDriveRemovable, u"\\device\\floppy1", 1);
    machine.AddLetter(u'N', kDriveRemote, u"\\Device\\LanmanRedirector\\;N:0\\srv\\share", 1);
    machine.AddLetter(u'K', kDriveRemovable, u"\\Device\\Flop", 1);
    sim::AddEnclosure(machine, root, {});

    Discover();

    EXPECT_FALSE(Opened(u'A'));
    EXPECT_FALSE(Opened(u'B'));
    EXPECT_FALSE(Opened(u'N'));
    EXPECT_TRUE(Opened(u'K'));
    EXPECT_EQ(Letters(0), u"EFK");
}

TEST_F(LettersTest, LetterMatchingSlotsOfTwoEnclosuresIsListedInBoth) {
    const sim::RootHub second = sim::AddRootHub(machine, 2, 4);
    sim::AddEnclosure(machine, root, {.serial = u"1", .withCdrom = false, .diskLetters = u"E"});
    sim::AddEnclosure(machine, second,
                      {.serial = u"2", .withCdrom = false, .diskLetters = u"", .diskNumber = 1});

    Discover();

    ASSERT_EQ(EnclosureTable.count, 2u);
    EXPECT_EQ(Letters(0), u"E");
    EXPECT_EQ(EnclosureTable.records[1].letterCounts[0], 1u);
    EXPECT_EQ(EnclosureTable.records[1].letters[0][0], u'E');
}

TEST_F(LettersTest, SlotWhoseDeviceNumberIsUnknownTakesNoLetter) {
    machine.AddLetter(u'C', kDriveFixed, u"\\Device\\HarddiskVolume2", 0);
    const sim::Enclosure e = sim::AddEnclosure(machine, root, {.withCdrom = false});
    e.disk->deviceNumberFails = true;

    Discover();

    EXPECT_EQ(First().unitCount, 1u);
    EXPECT_EQ(First().letterCounts[0], 0u);
}

struct RouteCase {
    const char* name;
    bool administrator;
};

class SlotClassRouteTest : public LettersTest, public ::testing::WithParamInterface<RouteCase> {};

// The CD-ROM and the system disk both carry device number 0: a CD-ROM slot
// taken for a disk would collect C.
TEST_P(SlotClassRouteTest, WithoutSlotListTheCdromSlotTakesOnlyTheCdromLetter) {
    IsAdministrator = GetParam().administrator;
    machine.AddLetter(u'C', kDriveFixed, u"\\Device\\HarddiskVolume2", 0);
    const sim::Enclosure e = sim::AddEnclosure(machine, root, {.cdromNumber = 0});
    e.firmware->hasSlotList = false;

    Discover();

    EXPECT_EQ(First().slots[1][kSlotClassByte], kSlotClassCdrom);
    EXPECT_EQ(First().slots[0][kSlotClassByte], kSlotClassDisk);
    EXPECT_EQ(Letters(0), u"EF");
    EXPECT_EQ(Letters(1), u"G");
}

INSTANTIATE_TEST_SUITE_P(Routes, SlotClassRouteTest,
                         ::testing::Values(RouteCase{"Direct", true}, RouteCase{"Hub", false}),
                         NameOfCase{});

TEST_F(LettersTest, UntiedSlotWithoutSlotListTakesNoLetter) {
    // Unit 1 alone: slot 0 stays zero, which must not collect the system's disk 0.
    machine.AddLetter(u'C', kDriveFixed, u"\\Device\\HarddiskVolume2", 0);
    const sim::Enclosure e = sim::AddEnclosure(machine, root, {.withCdrom = false});
    e.firmware->hasSlotList = false;
    machine.DeviceOf(e.diskDevice).instanceId = u"USBSTOR\\DISK\\1&1";

    Discover();

    EXPECT_EQ(First().letterCounts[0], 0u);
    EXPECT_EQ(Letters(1), u"EF");
}

} // namespace
} // namespace stowkeep::hatchlink::testing
