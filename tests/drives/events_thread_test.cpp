#include "drives/device_change_hook.h"
#include "drives/drive_ejector.h"
#include "fake_drives.h"
#include "watcher_probes.h"

#include <gtest/gtest.h>

namespace stowkeep::drives {
namespace {

using platform::FakeVolumes;
using testing::AddVolume;
using testing::Counter;
using testing::SettleGate;

constexpr std::uint32_t kDevtypInterface = 5; // a mouse arrives as a device interface

class Watcher : public ::testing::Test {
  protected:
    Watcher() { AddVolume(machine, {.number = 1, .letter = L'E'}); }
    ~Watcher() override {
        settle.Open();
        scanHeld.Open();
        drives.reset();
    }

    void Create() {
        drives = std::make_unique<TDriveEjector>(machine, ChooseListVolumePaths(machine), hook,
                                                 [this] { settle.Settle(); });
        drives->SetOnListChanged(&Watcher::Notified, this);
    }

    static void Notified(void* self) {
        auto* test = static_cast<Watcher*>(self);
        {
            std::lock_guard lock(test->mutex);
            test->pendingAtNotice.push_back(test->hook.PendingChanges());
        }
        test->notices.Raise();
    }

    void Broadcast(std::uintptr_t event, std::uint32_t type = kDbtDevtypVolume) {
        hook.OnDeviceChange(event, type);
    }

    // Scans after the first one, which creation runs.
    int Rescans() { return machine.VolumeEnumerations() - 1; }

    FakeVolumes machine;
    DeviceChangeHook hook;
    SettleGate settle;
    SettleGate scanHeld; // holds a scan after its first volume while armed
    std::atomic<bool> scanHeldArmed{false};
    Counter notices;
    std::mutex mutex;
    std::vector<std::int32_t> pendingAtNotice;
    std::unique_ptr<TDriveEjector> drives;
};

TEST_F(Watcher, BurstOfArrivalsCostsOneScan) {
    Create();
    settle.Close();
    Broadcast(kDbtDeviceArrival);
    ASSERT_TRUE(settle.Entered().WaitFor(1));
    Broadcast(kDbtDeviceArrival);
    Broadcast(kDbtDeviceArrival);
    settle.Open();
    ASSERT_TRUE(notices.WaitFor(1));
    drives.reset();

    EXPECT_EQ(Rescans(), 1);
    EXPECT_EQ(settle.Entered().Value(), 1);
    EXPECT_EQ(pendingAtNotice, std::vector<std::int32_t>{0});
}

TEST_F(Watcher, ArrivalDuringAScanLeadsToASecondScan) {
    Create();
    std::atomic<bool> raised{false};
    machine.SetEnumerationProbe([&] {
        if (!raised.exchange(true)) {
            Broadcast(kDbtDeviceArrival);
        }
    });
    Broadcast(kDbtDeviceArrival);
    ASSERT_TRUE(notices.WaitFor(2));
    drives.reset();

    EXPECT_EQ(Rescans(), 2);
    EXPECT_EQ(pendingAtNotice, (std::vector<std::int32_t>{1, 0}));
}

TEST_F(Watcher, MouseArrivalScansNothingItsRemovalScansOnce) {
    Create();
    settle.Close();
    Broadcast(kDbtDeviceArrival, kDevtypInterface);
    EXPECT_EQ(hook.PendingChanges(), 0);
    settle.Open();
    Broadcast(kDbtDeviceRemoveComplete, kDevtypInterface);
    ASSERT_TRUE(notices.WaitFor(1));
    drives.reset();

    EXPECT_EQ(Rescans(), 1);
    EXPECT_EQ(settle.Entered().Value(), 1);
}

TEST_F(Watcher, DestroyWhileIdleEndsWithoutScanning) {
    Create();
    drives.reset();
    EXPECT_EQ(Rescans(), 0);
    EXPECT_EQ(settle.Entered().Value(), 0);
    EXPECT_EQ(notices.Value(), 0);

    // The hook outlives the list and must leave the ended watcher alone.
    Broadcast(kDbtDeviceArrival);
    EXPECT_EQ(hook.PendingChanges(), 1);
}

TEST_F(Watcher, BroadcastBeforeCreationIsAnsweredAfterTheFirstScan) {
    Broadcast(kDbtDeviceRemoveComplete);
    settle.Close(); // the notification is set only after creation
    Create();
    settle.Open();
    ASSERT_TRUE(notices.WaitFor(1));
    drives.reset();
    EXPECT_EQ(Rescans(), 1);
}

TEST_F(Watcher, DriveCountWaitsForTheScanInProgress) {
    Create();
    machine.SetEnumerationProbe([this] {
        if (scanHeldArmed.exchange(false)) {
            scanHeld.Settle();
        }
    });
    for (unsigned round = 1; round <= 3; ++round) {
        AddVolume(machine, {.number = 1 + round});
        scanHeld.Close();
        scanHeldArmed = true;
        Broadcast(kDbtDeviceArrival);
        ASSERT_TRUE(scanHeld.Entered().WaitFor(static_cast<int>(round)));

        Counter readerStarted;
        int counted = -1;
        std::thread reader([&] {
            readerStarted.Raise();
            counted = drives->DriveCount();
        });
        ASSERT_TRUE(readerStarted.WaitFor(1));
        scanHeld.Open();
        reader.join();
        EXPECT_EQ(counted, static_cast<int>(round + 1)) << "round " << round;
    }
}

} // namespace
} // namespace stowkeep::drives
