// The demo flavour's volumes: the system's, plus the enclosure's while the
// state says it is plugged in, as the drive list and LocateDevice see them.
#include "app/main_state.h"
#include "drives/device_change_hook.h"
#include "drives/list_volume_paths.h"
#include "drives/locate_device.h"
#include "platform/fake/files_fake.h"
#include "sim/simulated_volumes.h"
#include "tests/drives/fake_drives.h"
#include "tests/drives/recording_view.h"

#include <gtest/gtest.h>

namespace stowkeep::sim {
namespace {

struct ListerCase {
    const char* name;
    bool systemLister;
};

class SimulatedVolumesTest : public ::testing::TestWithParam<ListerCase> {
  protected:
    SimulatedVolumesTest() {
        drives::testing::AddVolume(system, {.number = 1,
                                            .bus = platform::kBusTypeSata,
                                            .vendor = "ST1000DM",
                                            .letter = L'C',
                                            .disk = 0});
        system.SetSystemLister(GetParam().systemLister);
        for (wchar_t letter = L'C'; letter <= L'H'; ++letter)
            files.AddVolume(letter, 1ULL << 40);
    }

    std::vector<drives::TRemovableDrive> Locate() {
        drives::TDriveEjector list(volumes, drives::ChooseListVolumePaths(volumes), hook, [] {});
        drives::LocateDevice(list, volumes, files, state, view);
        std::vector<drives::TRemovableDrive> entries;
        for (int i = 0; i < list.DriveCount(); ++i)
            entries.push_back(list.Entry(i));
        return entries;
    }

    EnclosureState enclosure;
    platform::FakeVolumes system;
    SimulatedVolumes volumes{system, [this] { return enclosure; }};
    platform::FakeFileSystem files;
    drives::DeviceChangeHook hook;
    MainState state;
    drives::testing::RecordingView view;
};

TEST_P(SimulatedVolumesTest, ThePluggedEnclosureIsTheDeviceAtItsLetter) {
    EXPECT_EQ(Locate(), (std::vector<drives::TRemovableDrive>{{L"E:\\", L"KD-RX710"}}));
    EXPECT_EQ(state.DeviceState, L"ok");
    EXPECT_EQ(state.DeviceRoot, L"E:\\");

    enclosure.letter = L'G';
    Locate();
    EXPECT_EQ(state.DeviceRoot, L"G:\\");
    EXPECT_EQ(system.OpenHandles(), 0);
}

TEST_P(SimulatedVolumesTest, PulledOutOnlyTheSystemsVolumesRemain) {
    ASSERT_EQ(Locate().size(), 1u);

    enclosure.plugged = false;
    EXPECT_TRUE(Locate().empty());
    EXPECT_EQ(state.DeviceState, L"non");
    EXPECT_EQ(view.pictures, drives::DeviceButtonPictures::NoEnclosure);

    enclosure.plugged = true;
    Locate();
    EXPECT_EQ(state.DeviceState, L"ok");
}

INSTANTIATE_TEST_SUITE_P(Listers, SimulatedVolumesTest,
                         ::testing::Values(ListerCase{"SystemLister", true},
                                           ListerCase{"BuiltInWalk", false}),
                         [](const auto& testInfo) { return std::string(testInfo.param.name); });

} // namespace
} // namespace stowkeep::sim
