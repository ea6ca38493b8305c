#include "devicelib/discovery.h"
#include "devicelib/os_table.h"
#include "library_fixture.h"

namespace stowkeep::hatchlink::testing {
namespace {

class DiscoveryTest : public LibraryTest {
  protected:
    // Runs a discovery and closes the handle it returns; true when there was one.
    bool Discover() {
        const Handle h = DiscoverEnclosure();
        if (h == kInvalidHandle)
            return false;
        Os().CloseHandle(h);
        return true;
    }
};

TEST_F(DiscoveryTest, WithoutAcceptedDeviceNothingIsOpened) {
    sim::AddUsbDisk(machine, root, 2, 3, u'H');

    EXPECT_EQ(DiscoverEnclosure(), kInvalidHandle);

    EXPECT_EQ(EnclosureTable.count, 0u);
    EXPECT_EQ(Count(sim::Op::CreateFile), 0);
    EXPECT_EQ(Count(sim::Op::GetLogicalDrives), 0);
    EXPECT_EQ(Names(sim::Op::GetClassDevs), (std::vector<std::u16string>{u"USB"}));
}

struct IdCase {
    const char16_t* instanceId;
    bool accepted;
};

class AcceptedIdTest : public DiscoveryTest, public ::testing::WithParamInterface<IdCase> {};

TEST_P(AcceptedIdTest, MatchesTheFirst21CodeUnitsIgnoringCase) {
    const IdCase c = GetParam();
    const DevInst device = machine.AddDevice(c.instanceId, root.device);

    DiscoverEnclosure();

    ASSERT_EQ(EnclosureTable.records[0].usbDevInst == device, c.accepted);
    if (c.accepted) {
        EXPECT_EQ(EnclosureTable.records[0].hubDevInst, root.device);
        EXPECT_EQ(EnclosureTable.records[0].vendorId, 0x04C5u);
        EXPECT_EQ(EnclosureTable.records[0].productId, 0x2029u);
    }
}

INSTANTIATE_TEST_SUITE_P(InstanceIds, AcceptedIdTest,
                         ::testing::Values(IdCase{u"USB\\VID_04C5&PID_2029\\57442", true},
                                           IdCase{u"usb\\vid_04c5&pid_2029\\57442", true},
                                           IdCase{u"USB\\VID_04C5&PID_2029", true},
                                           IdCase{u"USB\\VID_04C5&PID_202", false},
                                           IdCase{u"USB\\VID_04C5&PID_2030\\1", false},
                                           IdCase{u"USB\\VID_04C6&PID_2029\\1", false}));

TEST_F(DiscoveryTest, EnclosureWhoseUnitsAllFailIdentityKeepsItsRecordButGivesNoHandle) {
    const sim::Enclosure e = sim::AddEnclosure(machine, root, {});
    e.firmware->refusedBuffers.set(0x52);

    EXPECT_EQ(DiscoverEnclosure(), kInvalidHandle);

    EXPECT_EQ(EnclosureTable.count, 0u);
    EXPECT_EQ(First().usbDevInst, e.usb);
    EXPECT_EQ(First().unitCount, 0u);
}

TEST_F(DiscoveryTest, HubRouteNeedsIdentityByte2AboveOne) {
    machine.admin = false;
    IsAdministrator = 0;
    const sim::Enclosure e = sim::AddEnclosure(machine, root, {});
    e.firmware->identity[2] = 1;
    EXPECT_FALSE(Discover());
    e.firmware->identity[2] = 2;
    EXPECT_TRUE(Discover());
}

TEST_F(DiscoveryTest, HubRouteFindsThePortAndOpensTheHubForCommands) {
    IsAdministrator = 0;
    sim::AddUsbDevice(machine, root, 1, 0x046D, 0xC077);
    sim::AddEnclosure(machine, root, {.port = 3});

    ASSERT_TRUE(Discover());

    EXPECT_EQ(First().hubPort, 3u);
    EXPECT_EQ(std::u16string(First().hubPath), root.hub->path);
    EXPECT_EQ(CurrentHubPort, 3u);
    EXPECT_EQ(First().unitCount, 2u);
    EXPECT_EQ(Names(sim::Op::CreateFile).back(), root.hub->path);
}

TEST_F(DiscoveryTest, HubRouteWithoutPortYieldsNoUnit) {
    IsAdministrator = 0;
    sim::AddEnclosure(machine, root, {.port = 2});
    root.hub->ports[1].connected = false;

    EXPECT_FALSE(Discover());

    EXPECT_EQ(First().hubPort, 0u);
    EXPECT_EQ(First().hubPath[0], 0);
    EXPECT_EQ(First().unitCount, 0u);
}

TEST_F(DiscoveryTest, CdromIsTiedBeforeTheDiskAndCarriesTheDirectRoute) {
    const sim::Enclosure e = sim::AddEnclosure(machine, root, {});

    ASSERT_TRUE(Discover());

    ASSERT_EQ(First().unitCount, 2u);
    EXPECT_EQ(std::u16string(First().unitPaths[0]), e.cdromPath);
    EXPECT_EQ(std::u16string(First().unitPaths[1]), e.diskPath);
    EXPECT_EQ(Names(sim::Op::CreateFile).back(), e.cdromPath);
    EXPECT_EQ(First().slots[0][0], 0);
    EXPECT_EQ(First().slots[1][0], 1);
    EXPECT_EQ(First().deviceNumbers[0], 1u);
}

TEST_F(DiscoveryTest, SlotsWithByte11SetAreLeftOutOfTheUnitNumbering) {
    const sim::Enclosure e = sim::AddEnclosure(machine, root, {.withCdrom = false});
    sim::Firmware& f = *e.firmware;
    f.slots.clear();
    f.AddSlot(0, 0);
    f.AddSlot(1, 0);
    f.AddSlot(0, 0);
    // The disk becomes unit 1.
    machine.DeviceOf(e.diskDevice).instanceId = u"USBSTOR\\DISK&VEN_KD&PROD_RX710\\1&1";

    ASSERT_TRUE(Discover());

    EXPECT_EQ(First().slots[2][0], 2);
    EXPECT_EQ(First().slots[0][0], kSlotUntied);
    EXPECT_EQ(First().slots[1][0], kSlotUntied);
    EXPECT_EQ(First().deviceNumbers[2], 1u);
}

TEST_F(DiscoveryTest, WithoutSlotListTheUnitNumberIsTheSlotAndInquiryGivesTheClass) {
    const sim::Enclosure e = sim::AddEnclosure(machine, root, {});
    e.firmware->hasSlotList = false;

    ASSERT_TRUE(Discover());

    EXPECT_EQ(First().slotHeader[0], kNoSlotList);
    EXPECT_EQ(First().slotHeader[1], 2);
    EXPECT_EQ(First().slots[1][kSlotClassByte], kSlotClassCdrom);
    EXPECT_EQ(First().slots[0][kSlotClassByte], kSlotClassDisk);
    EXPECT_EQ(Letters(0), u"EF");
    EXPECT_EQ(Letters(1), u"G");
}

TEST_F(DiscoveryTest, WithoutSlotListUnitFlagsGateTheUnit) {
    const sim::Enclosure e = sim::AddEnclosure(machine, root, {});
    e.firmware->hasSlotList = false;
    e.firmware->refusedBuffers.set(0x51);

    EXPECT_FALSE(Discover());
    EXPECT_EQ(First().unitCount, 0u);
}

struct LimitCase {
    const char* name;
    bool slotList;
    int interfaces;
    std::uint32_t units;
};

class UnitLimitTest : public DiscoveryTest, public ::testing::WithParamInterface<LimitCase> {};

TEST_P(UnitLimitTest, GivesUpInterfacesBeyondTheLimit) {
    const LimitCase c = GetParam();
    const sim::Enclosure e = sim::AddEnclosure(machine, root, {.withCdrom = false});
    e.firmware->hasSlotList = c.slotList;
    e.firmware->slots.clear();
    for (int i = 0; i < 10; ++i)
        e.firmware->AddSlot(0, 0);
    machine.DeviceOf(e.diskDevice).instanceId = u"USBSTOR\\DISK\\1&0";
    for (int lun = 1; lun < c.interfaces; ++lun) {
        const std::u16string n(1, char16_t(u'0' + lun));
        const DevInst d = machine.AddDevice(u"USBSTOR\\DISK\\1&" + n, e.usb);
        machine.AddStorage(sim::StorageClass::Disk, d, u"\\\\?\\lun#" + n, 10u + lun).firmware =
            e.firmware;
    }

    ASSERT_TRUE(Discover());

    EXPECT_EQ(First().unitCount, c.units);
}

INSTANTIATE_TEST_SUITE_P(Limits, UnitLimitTest,
                         ::testing::Values(LimitCase{"TwoWithoutSlotList", false, 2, 2},
                                           LimitCase{"ThirdWithoutSlotList", false, 3, 2},
                                           LimitCase{"EightWithSlotList", true, 8, 8},
                                           LimitCase{"NinthWithSlotList", true, 9, 8}),
                         NameOfCase{});

TEST_F(DiscoveryTest, SlotCountAboveTenIsCutToTheTable) {
    const sim::Enclosure e = sim::AddEnclosure(machine, root, {});
    for (int i = 0; i < 20; ++i)
        e.firmware->AddSlot(0, 0);
    e.firmware->slotHeader[1] = 200;

    ASSERT_TRUE(Discover());

    EXPECT_EQ(Count(sim::Op::IoControl, kIoctlScsiPassThroughDirect), 1 + 1 + 10 + 1);
    EXPECT_EQ(Letters(0), u"EF");
    EXPECT_EQ(EnclosureTable.records[1].usbDevInst, 0u);
}

TEST_F(DiscoveryTest, InterfaceWhoseUnitNumberIsNoDigitIsPassedOver) {
    const sim::Enclosure e = sim::AddEnclosure(machine, root, {});
    e.firmware->hasSlotList = false;
    machine.DeviceOf(e.cdromDevice).instanceId = u"USBSTOR\\CDROM\\1&Z";

    ASSERT_TRUE(Discover());

    EXPECT_EQ(First().unitCount, 1u);
    EXPECT_EQ(std::u16string(First().unitPaths[0]), e.diskPath);
}

struct BetweenCase {
    const char* name;
    const char16_t* instanceId; // of a device between the enclosure and its disk
    int owner;                  // record the disk is tied to; -1: none
};

class DeviceBetweenTest : public DiscoveryTest,
                          public ::testing::WithParamInterface<BetweenCase> {};

// The walk up from the disk stops at the first USB device it meets. A function
// whose ID begins with an accepted prefix is an enclosure record of its own and
// takes the disk from the enclosure, whose record then has no unit to carry the
// command; a function of another vendor takes it from everybody; a bridge of
// another bus is passed on the walk's second step.
TEST_P(DeviceBetweenTest, FirstUsbDeviceAboveTheDiskDecides) {
    const BetweenCase c = GetParam();
    const sim::Enclosure e = sim::AddEnclosure(machine, root, {.withCdrom = false});
    const DevInst between = machine.AddDevice(c.instanceId, e.usb);
    machine.DeviceOf(e.diskDevice).parent = between;

    EXPECT_EQ(Discover(), c.owner == 0);

    EXPECT_EQ(First().usbDevInst, e.usb);
    EXPECT_EQ(First().unitCount, c.owner == 0 ? 1u : 0u);
    EXPECT_EQ(EnclosureTable.records[1].unitCount, c.owner == 1 ? 1u : 0u);
    if (c.owner == 1)
        EXPECT_EQ(EnclosureTable.records[1].usbDevInst, between);
    const auto opened = Names(sim::Op::CreateFile);
    EXPECT_EQ(std::count(opened.begin(), opened.end(), e.diskPath) > 0, c.owner >= 0);
}

INSTANTIATE_TEST_SUITE_P(
    Devices, DeviceBetweenTest,
    ::testing::Values(BetweenCase{"AcceptedCompositeFunction", u"USB\\VID_04C5&PID_2029&MI_00\\2",
                                  1},
                      BetweenCase{"OtherVendorsFunction", u"USB\\VID_1234&PID_0001&MI_00\\2", -1},
                      BetweenCase{"BridgeOfAnotherBus", u"SCSI\\BRIDGE\\1", 0}),
    NameOfCase{});

TEST_F(DiscoveryTest, EnclosuresBeyondTheTableAreIgnored) {
    for (int i = 0; i < 100; ++i)
        machine.AddDevice(u"USB\\VID_04C5&PID_2028\\" + std::u16string(1, char16_t(u'A' + i % 26)),
                          root.device);

    DiscoverEnclosure();

    EXPECT_EQ(EnclosureTable.count, 0u);
    EXPECT_NE(EnclosureTable.records[98].usbDevInst, 0u);
}

} // namespace
} // namespace stowkeep::hatchlink::testing
