// The decoder of WM_DEVICECHANGE broadcasts that the application window's
// procedure calls (Windows build only).
#include "drives/device_change_hook.h"
#include "drives/win32/device_broadcast.h"

#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <dbt.h>
// clang-format on

namespace stowkeep::drives {
namespace {

struct DecodeCase {
    const char* name;
    WPARAM event;
    DWORD deviceType; // 0: no broadcast header at all
    std::int32_t counted;
};

class BroadcastDecoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(BroadcastDecoding, ReadsTheDeviceTypeFromTheHeader) {
    DeviceChangeHook& hook = DeviceChangeHook::Process();
    hook.ClearPendingChanges();
    DEV_BROADCAST_HDR header{sizeof(DEV_BROADCAST_HDR), GetParam().deviceType, 0};
    const LPARAM lParam = GetParam().deviceType == 0 ? 0 : reinterpret_cast<LPARAM>(&header);
    HandleDeviceChangeMessage(GetParam().event, lParam);
    EXPECT_EQ(hook.PendingChanges(), GetParam().counted);
}

INSTANTIATE_TEST_SUITE_P(
    Win32, BroadcastDecoding,
    ::testing::Values(DecodeCase{"VolumeArrival", DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME, 1},
                      DecodeCase{"InterfaceArrival", DBT_DEVICEARRIVAL, DBT_DEVTYP_DEVICEINTERFACE,
                                 0},
                      DecodeCase{"ArrivalWithoutHeader", DBT_DEVICEARRIVAL, 0, 0},
                      DecodeCase{"PortRemoval", DBT_DEVICEREMOVECOMPLETE, DBT_DEVTYP_PORT, 1},
                      DecodeCase{"RemovalWithoutHeader", DBT_DEVICEREMOVECOMPLETE, 0, 1},
                      DecodeCase{"NodesChanged", DBT_DEVNODES_CHANGED, 0, 0}),
    [](const auto& p) { return std::string(p.param.name); });

} // namespace
} // namespace stowkeep::drives
