// What the library asks of Windows in each call: the access and sharing of
// every handle it opens, the flags of its device sets and the fields of its
// pass-through requests. The simulated machine refuses what Windows refuses;
// these cases pin down the rest.

#include "devicelib/discovery.h"
#include "devicelib/hatchlink.h"
#include "devicelib/os_table.h"
#include "devicelib/queries.h"
#include "devicelib/scoped_handles.h"
#include "devicelib/transport.h"
#include "library_fixture.h"

#include <set>
#include <tuple>

namespace stowkeep::hatchlink::testing {
namespace {

constexpr std::uint32_t kReadWrite = kGenericRead | kGenericWrite;
constexpr std::uint32_t kShareBoth = kFileShareRead | kFileShareWrite;

enum class Target { Hub, Interface, Volume };
using Open = std::tuple<Target, std::uint32_t, std::uint32_t>; // target, access, share

struct OpenCase {
    const char* name;
    bool administrator;
    std::set<Open> discovery; // the opens of one discovery and its command handle
};

const OpenCase kOpenCases[] = {
    {"Direct",
     true,
     {{Target::Hub, kGenericRead, kFileShareRead},
      {Target::Interface, kReadWrite, kShareBoth},
      {Target::Volume, 0, kShareBoth}}},
    {"Hub",
     false,
     {{Target::Hub, kGenericRead, kFileShareRead},
      {Target::Interface, 0, kShareBoth},
      {Target::Volume, 0, kShareBoth}}},
};

class OpenShapeTest : public EnclosureTest, public ::testing::WithParamInterface<OpenCase> {
  protected:
    std::set<Open> Opens() const {
        std::set<Open> opens;
        for (const sim::Call& c : machine.Calls()) {
            if (c.op != sim::Op::CreateFile)
                continue;
            const std::u16string name = c.Name();
            const Target target = name == root.hub->path         ? Target::Hub
                                  : name.starts_with(u"\\\\.\\") ? Target::Volume
                                                                 : Target::Interface;
            opens.insert({target, c.code, c.share});
        }
        return opens;
    }
};

TEST_P(OpenShapeTest, EachHandleIsOpenedWithItsOwnAccessAndSharing) {
    IsAdministrator = GetParam().administrator;

    const Handle command = DiscoverEnclosure();
    ASSERT_NE(command, kInvalidHandle);
    Os().CloseHandle(command);
    EXPECT_EQ(Opens(), GetParam().discovery);

    machine.ClearCalls();
    EXPECT_EQ(SafelyRemove(), 1);
    // Locking needs direct access to the volume and must share it with its other users.
    EXPECT_EQ(Opens(), (std::set<Open>{{Target::Volume, kGenericRead, kShareBoth}}));
}

INSTANTIATE_TEST_SUITE_P(Routes, OpenShapeTest, ::testing::ValuesIn(kOpenCases), NameOfCase{});

class DeviceSetTest : public LibraryTest {};

TEST_F(DeviceSetTest, AnEnclosureNoLongerPresentIsNotTaken) {
    const sim::Enclosure gone = sim::AddEnclosure(
        machine, root, {.serial = u"7", .port = 2, .diskLetters = u"", .cdromLetters = u""});
    machine.DeviceOf(gone.usb).present = false;
    root.hub->ports[1] = sim::HubPort{};
    const sim::Enclosure here = sim::AddEnclosure(machine, root, {});

    const Handle command = DiscoverEnclosure();
    ASSERT_NE(command, kInvalidHandle);
    Os().CloseHandle(command);

    EXPECT_EQ(EnclosureTable.count, 1u);
    EXPECT_EQ(First().usbDevInst, here.usb);
    EXPECT_EQ(std::u16string(First().unitPaths[0]), here.cdromPath);
    EXPECT_EQ(First().unitCount, 2u);
}

struct FieldCase {
    const char* name;
    int (*query)(Handle, std::uint8_t*);
    std::uint8_t cdbLength;
    std::uint8_t opcode;
    std::uint32_t length;
};

int Identity(Handle h, std::uint8_t* out) {
    return ReadIdentity(h, out);
}
int Inquiry(Handle h, std::uint8_t* out) {
    return InquireUnit(h, out);
}

class PassThroughFieldTest : public EnclosureTest,
                             public ::testing::WithParamInterface<FieldCase> {};

TEST_P(PassThroughFieldTest, RequestCarriesTheLibrarysFields) {
    const FieldCase c = GetParam();
    CommandTimeoutSeconds = 7;
    ScopedFile disk(
        Os().CreateFileW(enclosure.diskPath.c_str(), kReadWrite, kShareBoth, kOpenExisting, 0));
    std::uint8_t out[kInquiryLength];

    ASSERT_NE(c.query(disk.Get(), out), 0);

    const sim::Call& call = machine.Calls().end()[-1];
    ASSERT_EQ(call.code, kIoctlScsiPassThroughDirect);
    const ScsiPassThroughDirect& sent = call.request;
    EXPECT_EQ(sent.length, sizeof(ScsiPassThroughDirect));
    EXPECT_EQ(sent.pathId, 0);
    EXPECT_EQ(sent.targetId, 1);
    EXPECT_EQ(sent.lun, 0);
    EXPECT_EQ(sent.cdbLength, c.cdbLength);
    EXPECT_EQ(sent.cdb[0], c.opcode);
    EXPECT_EQ(sent.dataIn, 1);
    EXPECT_EQ(sent.dataTransferLength, c.length);
    EXPECT_EQ(sent.timeOutValue, 7u);
    EXPECT_EQ(sent.dataBuffer, static_cast<void*>(DataBuffer));
    EXPECT_EQ(sent.senseInfoLength, 32);
    EXPECT_EQ(sent.senseInfoOffset, offsetof(PassThroughRequest, sense));
}

INSTANTIATE_TEST_SUITE_P(
    Queries, PassThroughFieldTest,
    ::testing::Values(FieldCase{"ReadIdentity", Identity, 10, 0x3C, kIdentityLength},
                      FieldCase{"InquireUnit", Inquiry, 6, 0x12, kInquiryLength}),
    NameOfCase{});

TEST_F(EnclosureTest, DataBufferMeetsAnAdapterThatWantsWholePages) {
    enclosure.disk->alignmentMask = 0xFFF;
    ScopedFile disk(
        Os().CreateFileW(enclosure.diskPath.c_str(), kReadWrite, kShareBoth, kOpenExisting, 0));
    std::uint8_t identity[kIdentityLength];

    EXPECT_NE(ReadIdentity(disk.Get(), identity), 0);
    EXPECT_EQ(machine.Calls().end()[-1].error, 0u);
}

} // namespace
} // namespace stowkeep::hatchlink::testing
