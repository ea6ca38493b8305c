#include "devicelib/discovery.h"
#include "devicelib/hatchlink.h"
#include "devicelib/os_table.h"
#include "library_fixture.h"
#include "sim/machine_rules.h"

namespace stowkeep::hatchlink::testing {
namespace {

class RemovalTest : public LibraryTest {
  protected:
    void Discover() {
        const Handle h = DiscoverEnclosure();
        ASSERT_NE(h, kInvalidHandle);
        Os().CloseHandle(h);
        machine.ClearCalls();
    }
    // "open X", "lock X", "close" and "eject", in the order they happened.
    std::vector<std::string> RemovalSteps() const {
        std::vector<std::string> steps;
        for (const sim::Call& c : machine.Calls()) {
            if (c.op == sim::Op::CreateFile)
                steps.push_back("open " + std::string(1, char(c.name[4])));
            else if (c.op == sim::Op::IoControl && c.code == kFsctlLockVolume)
                steps.push_back("lock " + std::string(1, char(c.name[0])));
            else if (c.op == sim::Op::CloseHandle)
                steps.push_back("close");
            else if (c.op == sim::Op::RequestEject)
                steps.push_back("eject");
        }
        return steps;
    }
    sim::Enclosure Plug(const sim::EnclosurePlan& plan = {}) {
        return sim::AddEnclosure(machine, root, plan);
    }
};

TEST_F(RemovalTest, LocksDiskVolumesInOrderLeavesTheCdromAndEjects) {
    const sim::Enclosure e = Plug();
    Discover();

    EXPECT_EQ(SafelyRemove(), 1);

    EXPECT_EQ(RemovalSteps(), (std::vector<std::string>{"open E", "lock E", "close", "open F",
                                                        "lock F", "close", "eject"}));
    EXPECT_EQ(machine.LastEjected(), e.usb);
    EXPECT_EQ(machine.OpenHandles(), 0);
}

TEST_F(RemovalTest, VolumeThatCannotBeOpenedIsPassedOver) {
    Plug();
    Discover();
    machine.Letter(u'E')->openFails = true;

    EXPECT_EQ(SafelyRemove(), 1);

    EXPECT_EQ(RemovalSteps(),
              (std::vector<std::string>{"open E", "open F", "lock F", "close", "eject"}));
}

TEST_F(RemovalTest, HubRouteWithoutSlotListNeverTouchesTheSystemDisk) {
    IsAdministrator = 0;
    machine.AddLetter(u'C', kDriveFixed, u"\\Device\\HarddiskVolume2", 0).lockRefused = true;
    const sim::Enclosure e = Plug({.cdromNumber = 0});
    e.firmware->hasSlotList = false;
    Discover();

    EXPECT_EQ(SafelyRemove(), 1);

    EXPECT_EQ(RemovalSteps(), (std::vector<std::string>{"open E", "lock E", "close", "open F",
                                                        "lock F", "close", "eject"}));
}

// Another program that has the volume open for reading and writing shares both:
// the removal's open must share them too, or it would fail, pass the volume
// over and eject the enclosure under that program.
TEST_F(RemovalTest, VolumeHeldOpenByAnotherProgramStopsTheEject) {
    Plug();
    Discover();
    machine.Letter(u'E')->otherProgram = {true, kGenericRead | kGenericWrite,
                                          kFileShareRead | kFileShareWrite};

    EXPECT_EQ(SafelyRemove(), 0);

    EXPECT_EQ(RemovalSteps(), (std::vector<std::string>{"open E", "lock E", "close"}));
    const sim::Call* lock =
        std::find_if(machine.Calls().begin(), machine.Calls().end(), [](const sim::Call& c) {
            return c.op == sim::Op::IoControl && c.code == kFsctlLockVolume;
        });
    ASSERT_NE(lock, machine.Calls().end());
    EXPECT_EQ(lock->error, sim::kErrorAccessDenied);
}

struct LockCase {
    const char* name;
    bool refuseE; // slot 0, the earlier one
    bool refuseH; // slot 1, the later one
};

class RefusedLockTest : public RemovalTest, public ::testing::WithParamInterface<LockCase> {};

// A volume that refuses the lock is in use: no eject, whichever slot it is in.
TEST_P(RefusedLockTest, AnyRefusedLockMeansNoEject) {
    const LockCase c = GetParam();
    const sim::Enclosure e = Plug({.withCdrom = false, .diskLetters = u"E"});
    e.firmware->AddSlot(0, 0);
    const DevInst second = machine.AddDevice(u"USBSTOR\\DISK\\1&1", e.usb);
    machine.AddStorage(sim::StorageClass::Disk, second, u"\\\\?\\second", 5).firmware = e.firmware;
    machine.AddLetter(u'H', kDriveFixed, u"\\Device\\HarddiskVolume5", 5);
    Discover();
    ASSERT_EQ(Letters(1), u"H");
    machine.Letter(u'E')->lockRefused = c.refuseE;
    machine.Letter(u'H')->lockRefused = c.refuseH;

    EXPECT_EQ(SafelyRemove(), 0);

    EXPECT_EQ(Count(sim::Op::RequestEject), 0);
    EXPECT_EQ(machine.OpenHandles(), 0);
}

INSTANTIATE_TEST_SUITE_P(Slots, RefusedLockTest,
                         ::testing::Values(LockCase{"EarlierSlot", true, false},
                                           LockCase{"LaterSlot", false, true},
                                           LockCase{"BothSlots", true, true}),
                         NameOfCase{});

struct EjectCase {
    const char* name;
    int failures;
    std::int32_t result;
    int attempts;
    std::uint64_t pausedMs;
};

class EjectAttemptTest : public RemovalTest, public ::testing::WithParamInterface<EjectCase> {};

TEST_P(EjectAttemptTest, TriesThreeTimesHalfASecondApart) {
    const EjectCase c = GetParam();
    Plug({.diskLetters = u"", .cdromLetters = u""});
    Discover();
    machine.ejectFailures = c.failures;

    EXPECT_EQ(SafelyRemove(), c.result);

    EXPECT_EQ(Count(sim::Op::RequestEject), c.attempts);
    EXPECT_EQ(machine.SleptMs(), c.pausedMs);
    EXPECT_EQ(Count(sim::Op::CreateFile), 0);
}

INSTANTIATE_TEST_SUITE_P(Attempts, EjectAttemptTest,
                         ::testing::Values(EjectCase{"First", 0, 1, 1, 0},
                                           EjectCase{"Second", 1, 1, 2, 500},
                                           EjectCase{"Third", 2, 1, 3, 1000},
                                           EjectCase{"Never", 3, 0, 3, 1500}),
                         NameOfCase{});

TEST_F(RemovalTest, WithoutEnclosureEveryAttemptFails) {
    EXPECT_EQ(DiscoverEnclosure(), kInvalidHandle);

    EXPECT_EQ(SafelyRemove(), 0);

    // Three failed attempts, each followed by its pause; device 0 is never named.
    EXPECT_EQ(Count(sim::Op::RequestEject), 0);
    EXPECT_EQ(Count(sim::Op::Sleep, 500), 3);
    EXPECT_EQ(machine.SleptMs(), 1500u);
}

TEST_F(RemovalTest, EnclosureWithoutUsableUnitIsStillEjected) {
    const sim::Enclosure e = Plug();
    e.firmware->refusedBuffers.set(0x52);
    EXPECT_EQ(DiscoverEnclosure(), kInvalidHandle);

    EXPECT_EQ(SafelyRemove(), 1);
    EXPECT_EQ(machine.LastEjected(), e.usb);
}

TEST_F(RemovalTest, ClosesTheCommandHandleFirst) {
    const sim::Enclosure e = Plug();
    CommandHandle = DiscoverEnclosure();
    ASSERT_NE(CommandHandle, kInvalidHandle);
    machine.ClearCalls();

    EXPECT_EQ(SafelyRemove(), 1);

    EXPECT_EQ(machine.Calls()[0].op, sim::Op::CloseHandle);
    EXPECT_EQ(CommandHandle, kInvalidHandle);
    EXPECT_EQ(machine.OpenHandles(), 0);
}

} // namespace
} // namespace stowkeep::hatchlink::testing
