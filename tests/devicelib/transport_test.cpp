#include "devicelib/os_table.h"
#include "devicelib/queries.h"
#include "devicelib/scoped_handles.h"
#include "devicelib/transport.h"
#include "library_fixture.h"

#include <array>

namespace stowkeep::hatchlink::testing {
namespace {

class TransportTest : public EnclosureTest {
  protected:
    // The hub route to the enclosure on port 1.
    ScopedFile OpenHub() {
        IsAdministrator = 0;
        CurrentHubPort = 1;
        return ScopedFile(Os().CreateFileW(root.hub->path.c_str(), kGenericRead, kFileShareRead,
                                           kOpenExisting, 0));
    }
    ScopedFile OpenDisk() {
        return ScopedFile(Os().CreateFileW(enclosure.diskPath.c_str(), kGenericRead | kGenericWrite,
                                           kFileShareRead | kFileShareWrite, kOpenExisting, 0));
    }
    std::vector<std::uint16_t> TunnelIndices(std::uint16_t value) const {
        std::vector<std::uint16_t> indices;
        for (const sim::Call& c : machine.Calls())
            if (c.op == sim::Op::IoControl && c.code == kIoctlUsbGetDescriptorFromNodeConnection &&
                c.value == value)
                indices.push_back(c.index);
        return indices;
    }
    sim::Firmware& firmware() { return *enclosure.firmware; }
};

struct BusyCase {
    const char* name;
    int busyBeforeChunk;
    std::size_t chunkSize;
    bool carried;
    int waits;
};

class BusyAllowanceTest : public TransportTest, public ::testing::WithParamInterface<BusyCase> {};

TEST_P(BusyAllowanceTest, WaitsUpToTenSecondsBeforeEachChunk) {
    const BusyCase c = GetParam();
    firmware().busyBeforeChunk = c.busyBeforeChunk;
    firmware().chunkSize = c.chunkSize;
    ScopedFile hub = OpenHub();
    ASSERT_TRUE(hub.Valid());
    std::uint8_t identity[kIdentityLength];

    EXPECT_EQ(ReadIdentity(hub.Get(), identity) != 0, c.carried);

    EXPECT_EQ(Count(sim::Op::Sleep, kTunnelBusyPauseMs), c.waits);
    EXPECT_EQ(machine.SleptMs(), std::uint64_t(c.waits) * 100);
    const auto expected = c.carried ? firmware().identity : std::array<std::uint8_t, 8>{};
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), identity));
}

INSTANTIATE_TEST_SUITE_P(
    Chunks, BusyAllowanceTest,
    ::testing::Values(BusyCase{"NeverBusy", 0, 1020, true, 0},
                      BusyCase{"BusyThenDone", 1, 1020, true, 1},
                      BusyCase{"NinetyNineWaits", 99, 1020, true, 99},
                      BusyCase{"HundredWaitsFail", 100, 1020, false, 100},
                      BusyCase{"TwoChunksEachNearlyTimedOut", 99, 4, true, 198},
                      BusyCase{"FirstOfTwoChunksTimesOut", 100, 4, false, 100}),
    NameOfCase{});

TEST_F(TransportTest, FetchIndexCountsTheBytesReceivedAndEmptyChunksLeaveItUnchanged) {
    firmware().chunkSize = 10;
    firmware().emptyChunkBeforeEach = true;
    firmware().AddSlot(0, 0);
    firmware().slots[2].fill(0x61);
    ScopedFile hub = OpenHub();
    std::uint8_t slot[kSlotRecordLength];

    ASSERT_TRUE(ReadSlotRecord(hub.Get(), slot, 2));

    EXPECT_EQ(TunnelIndices(kTunnelBegin), (std::vector<std::uint16_t>{27}));
    EXPECT_EQ(TunnelIndices(kTunnelCommandBytes),
              (std::vector<std::uint16_t>{0x013C, 0x0061, 0, 0, 0x0002}));
    EXPECT_EQ(TunnelIndices(kTunnelFetch), (std::vector<std::uint16_t>{0, 0, 10, 10, 20, 20}));
    EXPECT_TRUE(std::all_of(std::begin(slot), std::end(slot), [](auto b) { return b == 0x61; }));
}

struct RefusalCase {
    const char* name;
    bool refuseBegin;
    int refuseCommandByteExchange;
    int commandByteExchanges;
};

class TunnelRefusalTest : public TransportTest,
                          public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(TunnelRefusalTest, StopsTheCommandWithoutFetching) {
    const RefusalCase c = GetParam();
    firmware().refuseBegin = c.refuseBegin;
    firmware().refuseCommandByteExchange = c.refuseCommandByteExchange;
    ScopedFile hub = OpenHub();
    std::uint8_t identity[kIdentityLength];
    std::memset(identity, 0xEE, sizeof identity);

    EXPECT_EQ(ReadIdentity(hub.Get(), identity), 0);

    EXPECT_EQ(TunnelIndices(kTunnelBegin).size(), 1u);
    EXPECT_EQ(TunnelIndices(kTunnelCommandBytes).size(), std::size_t(c.commandByteExchanges));
    EXPECT_TRUE(TunnelIndices(kTunnelFetch).empty());
    EXPECT_TRUE(
        std::all_of(std::begin(identity), std::end(identity), [](auto b) { return b == 0; }));
}

INSTANTIATE_TEST_SUITE_P(Exchanges, TunnelRefusalTest,
                         ::testing::Values(RefusalCase{"Begin", true, -1, 0},
                                           RefusalCase{"FirstCommandBytes", false, 0, 1},
                                           RefusalCase{"LastCommandBytes", false, 4, 5}),
                         NameOfCase{});

TEST_F(TransportTest, RefusedBufferFailsTheQueryOnBothRoutes) {
    firmware().refusedBuffers.set(0x51);
    std::uint8_t flags[kUnitFlagsLength];
    {
        ScopedFile disk = OpenDisk();
        EXPECT_EQ(ReadUnitFlags(disk.Get(), flags), 0);
    }
    ScopedFile hub = OpenHub();
    EXPECT_EQ(ReadUnitFlags(hub.Get(), flags), 0);
    firmware().refusedBuffers.reset();
    EXPECT_NE(ReadUnitFlags(hub.Get(), flags), 0);
}

TEST_F(TransportTest, ChunkLengthBeyondTheReplyIsCutAtTheCommandsLength) {
    // The firmware claims 65535 bytes in a 1024-byte reply.
    firmware().script.push_back({0x00, 0, 0xFFFF, 0xAB});
    std::memset(DataBuffer, 0x5A, sizeof DataBuffer);
    ScopedFile hub = OpenHub();
    std::uint8_t identity[kIdentityLength];

    ASSERT_NE(ReadIdentity(hub.Get(), identity), 0);

    EXPECT_TRUE(
        std::all_of(std::begin(identity), std::end(identity), [](auto b) { return b == 0xAB; }));
    EXPECT_TRUE(std::all_of(DataBuffer + kIdentityLength, DataBuffer + sizeof DataBuffer,
                            [](auto b) { return b == 0x5A; }));
}

TEST_F(TransportTest, ChunksThatWouldRunPastTheBufferStopAtTheCommandsLength) {
    for (int i = 0; i < 6; ++i)
        firmware().script.push_back({0x00, 1, 1020, 0xCD});
    std::memset(DataBuffer, 0x5A, sizeof DataBuffer);
    ScopedFile hub = OpenHub();
    std::uint8_t slot[kSlotRecordLength];

    ASSERT_NE(ReadSlotRecord(hub.Get(), slot, 0), 0);

    EXPECT_EQ(TunnelIndices(kTunnelFetch).size(), 1u);
    EXPECT_TRUE(std::all_of(DataBuffer + kSlotRecordLength, DataBuffer + sizeof DataBuffer,
                            [](auto b) { return b == 0x5A; }));
}

TEST_F(TransportTest, EndlessEmptyChunksEndTheCommand) {
    for (int i = 0; i < 150; ++i)
        firmware().script.push_back({0x00, 1, 0, 0});
    ScopedFile hub = OpenHub();
    std::uint8_t identity[kIdentityLength];

    EXPECT_EQ(ReadIdentity(hub.Get(), identity), 0);
    EXPECT_EQ(TunnelIndices(kTunnelFetch).size(), 100u);
}

TEST_F(TransportTest, DirectRouteNeverCopiesMoreThanTheCommandsLength) {
    firmware().reportedLength = 4000;
    ScopedFile disk = OpenDisk();
    std::uint8_t out[kIdentityLength + 4];
    std::memset(out, 0x77, sizeof out);

    ASSERT_NE(ReadIdentity(disk.Get(), out), 0);

    EXPECT_TRUE(std::equal(firmware().identity.begin(), firmware().identity.end(), out));
    EXPECT_TRUE(
        std::all_of(out + kIdentityLength, out + sizeof out, [](auto b) { return b == 0x77; }));
}

TEST_F(TransportTest, InquireUnitTakesTheDirectRouteWhenNotAdministrator) {
    IsAdministrator = 0;
    ScopedFile disk = OpenDisk();
    std::uint8_t inquiry[kInquiryLength];

    ASSERT_NE(InquireUnit(disk.Get(), inquiry), 0);

    EXPECT_EQ(Count(sim::Op::IoControl, kIoctlScsiPassThroughDirect), 1);
    EXPECT_EQ(Count(sim::Op::IoControl, kIoctlUsbGetDescriptorFromNodeConnection), 0);
}

TEST_F(TransportTest, ButtonStateReadsStateAndSecondsOnTheCommandHandle) {
    firmware().PressButton(1, 3);
    ScopedFile disk = OpenDisk();
    CommandHandle = disk.Get();
    std::uint16_t state = 0;

    ASSERT_NE(ReadButtonState(&state), 0);
    EXPECT_EQ(state, 0x0301);

    firmware().refusedBuffers.set(0x63);
    EXPECT_EQ(ReadButtonState(&state), 0);
    EXPECT_EQ(state, 0);
    CommandHandle = kInvalidHandle;
}

} // namespace
} // namespace stowkeep::hatchlink::testing
