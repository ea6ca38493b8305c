#include "devicelib/discovery.h"
#include "devicelib/hatchlink.h"
#include "devicelib/os_table.h"
#include "devicelib/poll.h"
#include "library_fixture.h"

#include <functional>

namespace stowkeep::hatchlink::testing {
namespace {

struct MachineCase {
    const char* name;
    bool administrator;
    std::function<void(sim::Machine&, const sim::RootHub&)> build;
};

void PlugEnclosure(sim::Machine& m, const sim::RootHub& root) {
    sim::AddEnclosure(m, root, {});
}

const MachineCase kMachines[] = {
    {"Empty", true, [](sim::Machine&, const sim::RootHub&) {}},
    {"OtherUsbDisk", true,
     [](sim::Machine& m, const sim::RootHub& r) { sim::AddUsbDisk(m, r, 2, 3, u'H'); }},
    {"EnclosureDirect", true, PlugEnclosure},
    {"EnclosureHub", false, PlugEnclosure},
    {"IdentityRefused", true,
     [](sim::Machine& m, const sim::RootHub& r) {
         sim::AddEnclosure(m, r, {}).firmware->refusedBuffers.set(0x52);
     }},
    {"HubPortMissing", false,
     [](sim::Machine& m, const sim::RootHub& r) {
         sim::AddEnclosure(m, r, {});
         r.hub->ports[0].connected = false;
     }},
    {"NoSlotList", false,
     [](sim::Machine& m, const sim::RootHub& r) {
         sim::AddEnclosure(m, r, {}).firmware->hasSlotList = false;
     }},
    {"ButtonRefused", true,
     [](sim::Machine& m, const sim::RootHub& r) {
         sim::AddEnclosure(m, r, {}).firmware->refusedBuffers.set(0x63);
     }},
    {"LockRefusedAndFloppy", true,
     [](sim::Machine& m, const sim::RootHub& r) {
         sim::AddEnclosure(m, r, {});
         m.Letter(u'F')->lockRefused = true;
         m.AddLetter(u'A', kDriveRemovable, u"\\Device\\Floppy0", 1);
     }},
    {"DeviceNumberFails", true,
     [](sim::Machine& m, const sim::RootHub& r) {
         sim::AddEnclosure(m, r, {}).disk->deviceNumberFails = true;
     }},
};

class OpenHandlesTest : public LibraryTest, public ::testing::WithParamInterface<MachineCase> {
  protected:
    void SetUp() override {
        LibraryTest::SetUp();
        IsAdministrator = GetParam().administrator;
        machine.admin = GetParam().administrator;
        GetParam().build(machine, root);
    }
};

TEST_P(OpenHandlesTest, EveryCallLeavesNoHandleOpen) {
    const Handle command = DiscoverEnclosure();
    EXPECT_EQ(machine.OpenHandles(), command == kInvalidHandle ? 0 : 1) << "discovery";
    if (command != kInvalidHandle)
        Os().CloseHandle(command);

    PollButton();
    EXPECT_EQ(machine.OpenHandles(), 0) << "poll";

    SafelyRemove();
    EXPECT_EQ(machine.OpenHandles(), 0) << "removal";

    machine.threadSleep = sim::ThreadSleep::UntilWaitedFor;
    DllSet();
    EXPECT_EQ(DllEnd(), -1);
    EXPECT_EQ(machine.OpenHandles(), 0) << "DllSet and DllEnd";
}

INSTANTIATE_TEST_SUITE_P(Machines, OpenHandlesTest, ::testing::ValuesIn(kMachines), NameOfCase{});

} // namespace
} // namespace stowkeep::hatchlink::testing
