#include "drives/device_presence.h"
#include "fake_drives.h"
#include "platform/fake/files_fake.h"
#include "recording_view.h"
#include "watcher_probes.h"

#include <gtest/gtest.h>

namespace stowkeep::drives {
namespace {

using platform::FakeFileSystem;
using platform::FakeVolumes;
using testing::AddVolume;
using testing::RecordingView;
using testing::UiQueue;

class Presence : public ::testing::Test {
  protected:
    Presence() { files.AddVolume(L'E', 1ULL << 40); }

    std::unique_ptr<TDevicePresence> Create() {
        return std::make_unique<TDevicePresence>(
            DevicePresenceSeams{machine, files, ChooseListVolumePaths(machine), hook, [] {}}, state,
            view, [this](std::function<void()> work) { queue.Post(std::move(work)); });
    }

    std::wstring PlugEnclosure() {
        const std::wstring name =
            AddVolume(machine, {.number = 1, .vendor = "KD-RX710", .letter = L'E'});
        hook.OnDeviceChange(kDbtDeviceArrival, kDbtDevtypVolume);
        return name;
    }

    FakeVolumes machine;
    FakeFileSystem files;
    DeviceChangeHook hook;
    MainState state;
    RecordingView view;
    UiQueue queue;
};

TEST_F(Presence, LocatesAtCreationAndOnTheUiThreadAfterEachRescan) {
    const auto presence = Create();
    EXPECT_EQ(state.DeviceState, L"non");
    EXPECT_EQ(view.runs, 1);

    const std::wstring enclosure = PlugEnclosure();
    ASSERT_TRUE(queue.WaitForWork());
    EXPECT_EQ(view.runs, 1); // nothing touched the view off the UI thread
    EXPECT_EQ(queue.Pump(), 1);
    EXPECT_EQ(state.DeviceState, L"ok");
    EXPECT_EQ(state.DeviceRoot, L"E:\\");

    machine.RemoveVolume(enclosure);
    hook.OnDeviceChange(kDbtDeviceRemoveComplete, kDbtDevtypVolume);
    ASSERT_TRUE(queue.WaitForWork());
    EXPECT_EQ(queue.Pump(), 1);
    EXPECT_EQ(state.DeviceState, L"non");
    EXPECT_EQ(view.runs, 3);
    for (std::thread::id thread : view.threads) {
        EXPECT_EQ(thread, std::this_thread::get_id());
    }
}

TEST_F(Presence, WorkPostedBeforeDestructionDoesNothingAfterIt) {
    auto presence = Create();
    PlugEnclosure();
    ASSERT_TRUE(queue.WaitForWork());
    presence.reset();
    EXPECT_EQ(queue.Pump(), 1);
    EXPECT_EQ(view.runs, 1);
    EXPECT_EQ(state.DeviceState, L"non");
}

// The watcher rescans while the UI thread locates the device, both directly
// and for each notification; run under ThreadSanitizer.
TEST_F(Presence, WatcherScansWhileTheUiThreadLocates) {
    const auto presence = Create();
    std::wstring enclosure;
    for (int round = 0; round < 200; ++round) {
        if (enclosure.empty()) {
            enclosure = PlugEnclosure();
        } else {
            machine.RemoveVolume(enclosure);
            enclosure.clear();
            hook.OnDeviceChange(kDbtDeviceRemoveComplete, kDbtDevtypVolume);
        }
        presence->LocateDevice();
        queue.Pump();
        const bool ok = state.DeviceState == L"ok";
        ASSERT_EQ(state.DeviceRoot, ok ? L"E:\\" : L"");
        ASSERT_EQ(view.image, ok ? L"E:\\_iso" : L"Select Folder");
        ASSERT_TRUE(ok || state.DeviceState == L"non") << round;
    }
    EXPECT_EQ(machine.OpenHandles(), 0);
}

} // namespace
} // namespace stowkeep::drives
