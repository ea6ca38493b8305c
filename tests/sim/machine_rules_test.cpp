// The simulated machine refuses what Windows refuses, with the error that
// GetLastError gives there, so a library call with a wrong right, share mode,
// flag or field fails on the host as it would on Windows (Wine checks none).

#include "sim/machine_rules.h"
#include "sim/scenario.h"

#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace stowkeep::sim {
namespace {

namespace hl = hatchlink;

constexpr std::uint32_t kRead = hl::kGenericRead;
constexpr std::uint32_t kWrite = hl::kGenericWrite;
constexpr std::uint32_t kShareBoth = hl::kFileShareRead | hl::kFileShareWrite;

struct NameOfCase {
    template <typename Info> std::string operator()(const Info& info) const {
        return info.param.name;
    }
};

class MachineRulesTest : public ::testing::Test {
  protected:
    // A valid INQUIRY request with its data and sense areas.
    struct Request {
        alignas(4096) std::uint8_t data[64] = {};
        hl::PassThroughRequest r{};
    };
    void Fill(Request& q) const {
        hl::ScsiPassThroughDirect& s = q.r.sptd;
        s.length = sizeof s;
        s.targetId = 1;
        s.cdbLength = 6;
        s.senseInfoLength = sizeof q.r.sense;
        s.senseInfoOffset = offsetof(hl::PassThroughRequest, sense);
        s.dataIn = 1;
        s.dataTransferLength = 36;
        s.timeOutValue = 10;
        s.dataBuffer = q.data;
        s.cdb[0] = 0x12;
        s.cdb[4] = 36;
    }
    // The outcome of one control request: 0 when carried, else the error.
    std::uint32_t Control(Handle h, std::uint32_t code, void* buffer, std::uint32_t size) {
        std::uint32_t returned = 0;
        return machine.IoControl(h, code, buffer, size, buffer, size, &returned)
                   ? 0
                   : Machine::LastError();
    }
    std::uint32_t PassThrough(Handle h, Request& q) {
        return Control(h, hl::kIoctlScsiPassThroughDirect, &q.r, sizeof q.r);
    }

    Machine machine;
    RootHub root = AddRootHub(machine, 1, 4);
    Enclosure enclosure = AddEnclosure(machine, root, {});
};

struct AccessCase {
    const char* name;
    bool volume; // \\.\E: rather than the disk interface
    std::uint32_t access;
    std::uint32_t code;
    std::uint32_t error;
};

class ControlAccessTest : public MachineRulesTest,
                          public ::testing::WithParamInterface<AccessCase> {};

TEST_P(ControlAccessTest, ControlCodesDemandTheirAccess) {
    const AccessCase c = GetParam();
    const std::u16string name = c.volume ? u"\\\\.\\E:" : enclosure.diskPath;
    const Handle h = machine.CreateFile(name.c_str(), c.access, kShareBoth);
    ASSERT_NE(h, hl::kInvalidHandle);
    Request q;
    Fill(q);
    hl::StorageDeviceNumber number{};

    const std::uint32_t error = c.code == hl::kIoctlScsiPassThroughDirect
                                    ? PassThrough(h, q)
                                    : Control(h, c.code, &number, sizeof number);

    EXPECT_EQ(error, c.error);
    machine.CloseHandle(h);
}

INSTANTIATE_TEST_SUITE_P(
    Handles, ControlAccessTest,
    ::testing::Values(
        AccessCase{"PassThroughWithoutRights", false, 0, hl::kIoctlScsiPassThroughDirect,
                   kErrorAccessDenied},
        AccessCase{"PassThroughReadOnly", false, kRead, hl::kIoctlScsiPassThroughDirect,
                   kErrorAccessDenied},
        AccessCase{"PassThroughWriteOnly", false, kWrite, hl::kIoctlScsiPassThroughDirect,
                   kErrorAccessDenied},
        AccessCase{"PassThroughReadWrite", false, kRead | kWrite, hl::kIoctlScsiPassThroughDirect,
                   0},
        AccessCase{"DeviceNumberWithoutRights", false, 0, hl::kIoctlStorageGetDeviceNumber, 0},
        AccessCase{"LockWithoutRights", true, 0, hl::kFsctlLockVolume, kErrorAccessDenied},
        AccessCase{"LockForReading", true, kRead, hl::kFsctlLockVolume, 0},
        AccessCase{"LockForWriting", true, kWrite, hl::kFsctlLockVolume, 0}),
    NameOfCase{});

struct ShareCase {
    const char* name;
    std::uint32_t otherAccess;
    std::uint32_t otherShare;
    std::uint32_t access;
    std::uint32_t share;
    bool opens;
};

class VolumeShareTest : public MachineRulesTest, public ::testing::WithParamInterface<ShareCase> {};

TEST_P(VolumeShareTest, OpensOfAVolumeRespectEachOthersSharing) {
    const ShareCase c = GetParam();
    machine.Letter(u'E')->otherProgram = {true, c.otherAccess, c.otherShare};

    const Handle h = machine.CreateFile(u"\\\\.\\E:", c.access, c.share);

    EXPECT_EQ(h != hl::kInvalidHandle, c.opens);
    if (!c.opens)
        EXPECT_EQ(Machine::LastError(), kErrorSharingViolation);
    machine.CloseHandle(h);
}

INSTANTIATE_TEST_SUITE_P(
    Opens, VolumeShareTest,
    ::testing::Values(
        ShareCase{"BothShareAll", kRead | kWrite, kShareBoth, kRead, kShareBoth, true},
        ShareCase{"WriterNotShared", kRead | kWrite, kShareBoth, kRead, hl::kFileShareRead, false},
        ShareCase{"ReadNotSharedByHolder", kWrite, hl::kFileShareWrite, kRead, kShareBoth, false},
        ShareCase{"QueryOnlyIgnoresSharing", kRead | kWrite, 0, 0, 0, true}),
    NameOfCase{});

struct FieldCase {
    const char* name;
    std::function<void(hl::ScsiPassThroughDirect&)> spoil;
    std::uint32_t error;
};

class PassThroughFieldRuleTest : public MachineRulesTest,
                                 public ::testing::WithParamInterface<FieldCase> {};

TEST_P(PassThroughFieldRuleTest, PortRefusesARequestItCannotCarry) {
    enclosure.disk->alignmentMask = 0xF;
    const Handle h = machine.CreateFile(enclosure.diskPath.c_str(), kRead | kWrite, kShareBoth);
    Request q;
    Fill(q);
    GetParam().spoil(q.r.sptd);

    EXPECT_EQ(PassThrough(h, q), GetParam().error);
    machine.CloseHandle(h);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, PassThroughFieldRuleTest,
    ::testing::Values(
        FieldCase{"Sound", [](hl::ScsiPassThroughDirect&) {}, 0},
        FieldCase{"LengthOfAnotherLayout", [](auto& s) { s.length = 44 + 4; },
                  kErrorRevisionMismatch},
        FieldCase{"CdbLongerThan16", [](auto& s) { s.cdbLength = 17; }, kErrorInvalidParameter},
        FieldCase{"SenseInsideTheHeader", [](auto& s) { s.senseInfoOffset = 8; },
                  kErrorInvalidParameter},
        FieldCase{"SensePastTheBuffer",
                  [](auto& s) { s.senseInfoOffset = sizeof(hl::PassThroughRequest); },
                  kErrorInvalidParameter},
        FieldCase{"NoTimeOut", [](auto& s) { s.timeOutValue = 0; }, kErrorInvalidParameter},
        FieldCase{"UnknownDirection", [](auto& s) { s.dataIn = 3; }, kErrorInvalidParameter},
        FieldCase{"BufferOffTheAdaptersAlignment",
                  [](auto& s) { s.dataBuffer = static_cast<std::uint8_t*>(s.dataBuffer) + 2; },
                  kErrorInvalidParameter}),
    NameOfCase{});

TEST_F(MachineRulesTest, InterfaceClassWithoutTheInterfaceFlagGivesAnEmptySet) {
    const Handle set = machine.GetClassDevs(&hl::kGuidDisk, nullptr, hl::kDigcfPresent);
    ASSERT_NE(set, hl::kInvalidHandle);
    hl::DeviceInterfaceData data{};
    data.cbSize = sizeof data;

    EXPECT_EQ(machine.EnumDeviceInterfaces(set, &hl::kGuidDisk, 0, &data), 0);
    machine.DestroyDeviceInfoList(set);
}

TEST_F(MachineRulesTest, DevicesNoLongerPresentAreListedOnlyWithoutThePresentFlag) {
    machine.DeviceOf(enclosure.usb).present = false;
    const auto disks = [&](std::uint32_t flags) {
        const Handle set = machine.GetClassDevs(&hl::kGuidDisk, nullptr, flags);
        hl::DeviceInterfaceData data{};
        data.cbSize = sizeof data;
        int n = 0;
        while (machine.EnumDeviceInterfaces(set, &hl::kGuidDisk, n, &data))
            ++n;
        machine.DestroyDeviceInfoList(set);
        return n;
    };

    EXPECT_EQ(disks(hl::kDigcfDeviceInterface | hl::kDigcfPresent), 0);
    EXPECT_EQ(disks(hl::kDigcfDeviceInterface), 1);
    EXPECT_EQ(machine.CreateFile(enclosure.diskPath.c_str(), kRead | kWrite, kShareBoth),
              hl::kInvalidHandle);
}

} // namespace
} // namespace stowkeep::sim
