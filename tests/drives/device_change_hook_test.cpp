#include "drives/device_change_hook.h"

#include <gtest/gtest.h>

namespace stowkeep::drives {
namespace {

constexpr std::uint32_t kDevtypOem = 0;
constexpr std::uint32_t kDevtypPort = 3;
constexpr std::uint32_t kDevtypInterface = 5;
constexpr std::uintptr_t kQueryRemove = 0x8001;
constexpr std::uintptr_t kRemovePending = 0x8003;
constexpr std::uintptr_t kNodesChanged = 0x0007;

struct BroadcastCase {
    const char* name;
    std::uintptr_t event;
    std::uint32_t deviceType;
    std::int32_t counted;
};

class HookCounting : public ::testing::TestWithParam<BroadcastCase> {};

TEST_P(HookCounting, CountsVolumeArrivalsAndEveryCompletedRemoval) {
    DeviceChangeHook hook;
    hook.OnDeviceChange(GetParam().event, GetParam().deviceType);
    EXPECT_EQ(hook.PendingChanges(), GetParam().counted);
}

INSTANTIATE_TEST_SUITE_P(
    Broadcasts, HookCounting,
    ::testing::Values(BroadcastCase{"VolumeArrival", kDbtDeviceArrival, kDbtDevtypVolume, 1},
                      BroadcastCase{"MouseArrival", kDbtDeviceArrival, kDevtypInterface, 0},
                      BroadcastCase{"PortArrival", kDbtDeviceArrival, kDevtypPort, 0},
                      BroadcastCase{"ArrivalWithoutHeader", kDbtDeviceArrival, kDevtypOem, 0},
                      BroadcastCase{"VolumeRemoval", kDbtDeviceRemoveComplete, kDbtDevtypVolume, 1},
                      BroadcastCase{"MouseRemoval", kDbtDeviceRemoveComplete, kDevtypInterface, 1},
                      BroadcastCase{"QueryRemove", kQueryRemove, kDbtDevtypVolume, 0},
                      BroadcastCase{"RemovePending", kRemovePending, kDbtDevtypVolume, 0},
                      BroadcastCase{"NodesChanged", kNodesChanged, kDevtypOem, 0}),
    [](const auto& p) { return std::string(p.param.name); });

TEST(Hook, KeepsCountingUntilCleared) {
    DeviceChangeHook hook;
    hook.OnDeviceChange(kDbtDeviceArrival, kDbtDevtypVolume);
    hook.OnDeviceChange(kDbtDeviceRemoveComplete, kDevtypPort);
    EXPECT_EQ(hook.PendingChanges(), 2);
    hook.ClearPendingChanges();
    EXPECT_EQ(hook.PendingChanges(), 0);
}

} // namespace
} // namespace stowkeep::drives
