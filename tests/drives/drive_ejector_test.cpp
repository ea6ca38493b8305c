#include "drives/device_change_hook.h"
#include "drives/drive_ejector.h"
#include "fake_drives.h"

#include <gtest/gtest.h>

namespace stowkeep::drives {
namespace {

using platform::FakeVolumes;
using testing::AddVolume;
using testing::VolumeSpec;

class DriveScan : public ::testing::Test {
  protected:
    std::unique_ptr<TDriveEjector> Create() {
        return std::make_unique<TDriveEjector>(machine, ChooseListVolumePaths(machine), hook,
                                               [] {});
    }

    std::vector<TRemovableDrive> Entries(const TDriveEjector& drives) {
        std::vector<TRemovableDrive> entries;
        for (int i = 0; i < drives.DriveCount(); ++i) {
            entries.push_back(drives.Entry(i));
        }
        return entries;
    }

    FakeVolumes machine;
    DeviceChangeHook hook;
};

TEST_F(DriveScan, KeepsOnlyUsbAnd1394VolumesInEnumerationOrder) {
    AddVolume(machine,
              {.number = 1, .bus = platform::kBusTypeSata, .vendor = "ST1000DM", .letter = L'C'});
    AddVolume(machine,
              {.number = 2, .bus = platform::kBusTypeUsb, .vendor = "KD-RX710", .letter = L'F'});
    AddVolume(machine,
              {.number = 3, .bus = platform::kBusTypeAta, .vendor = "WDC", .letter = L'D'});
    AddVolume(machine, {.number = 4, .bus = 0, .vendor = "Odd", .letter = L'H'});
    AddVolume(machine,
              {.number = 5, .bus = platform::kBusType1394, .vendor = "Fire", .letter = L'G'});

    const auto drives = Create();
    EXPECT_EQ(Entries(*drives),
              (std::vector<TRemovableDrive>{{L"F:\\", L"KD-RX710"}, {L"G:\\", L"Fire"}}));
    EXPECT_EQ(machine.OpenHandles(), 0);
}

struct EntryCase {
    const char* name;
    std::optional<std::string> vendor;
    bool letter;
    std::vector<std::wstring> folders; // folder mounts on the system volume
    TRemovableDrive expected;
};

class DriveEntry : public DriveScan, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(DriveEntry, TakesTheFirstMountPathAndTheTrimmedVendor) {
    const EntryCase& c = GetParam();
    const std::wstring system =
        AddVolume(machine, {.number = 1, .bus = platform::kBusTypeSata, .letter = L'C'});
    const std::wstring usb =
        AddVolume(machine, {.number = 2, .vendor = c.vendor, .letter = c.letter ? L'F' : L'\0'});
    for (const std::wstring& folder : c.folders) {
        machine.MountInFolder(usb, system, folder);
    }
    EXPECT_EQ(Entries(*Create()), std::vector<TRemovableDrive>{c.expected});
}

const std::wstring kLongFolder(130, L'd');

INSTANTIATE_TEST_SUITE_P(
    Scan, DriveEntry,
    ::testing::Values(
        EntryCase{"AtLetter", "Generic", true, {}, {L"F:\\", L"Generic"}},
        EntryCase{"NoMountPath", "Generic", false, {}, {L"", L"Generic"}},
        EntryCase{"LetterAndFolder", "Generic", true, {L"mnt\\usb\\"}, {L"F:\\", L"Generic"}},
        EntryCase{
            "OnlyInFolder", "Generic", false, {L"mnt\\usb\\"}, {L"C:\\mnt\\usb\\", L"Generic"}},
        EntryCase{"BlankPaddedVendor", "VARNOK  ", true, {}, {L"F:\\", L"VARNOK"}},
        EntryCase{"ControlsAroundVendor", " \tkd-rx710\x7f", true, {}, {L"F:\\", L"kd-rx710"}},
        EntryCase{"NoVendorOffset", std::nullopt, true, {}, {L"F:\\", L""}},
        // More paths than 260 characters hold: the listing fails.
        EntryCase{
            "ListingFails", "Generic", true, {kLongFolder + L"1\\", kLongFolder + L"2\\"}, {}}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(DriveScan, LeavesOutVolumesThatCannotBeOpenedOrQueried) {
    platform::FakeStorageVolume closed;
    closed.name = platform::FakeVolumeName(1);
    closed.openFails = true;
    platform::FakeStorageVolume silent;
    silent.name = platform::FakeVolumeName(2);
    silent.descriptorFails = true;
    machine.AddVolume(closed);
    machine.AddVolume(silent);
    AddVolume(machine, {.number = 3, .vendor = "Open", .letter = L'F'});

    EXPECT_EQ(Entries(*Create()), (std::vector<TRemovableDrive>{{L"F:\\", L"Open"}}));
    EXPECT_EQ(machine.OpenHandles(), 0);
}

TEST_F(DriveScan, NoVolumesGiveAnEmptyList) {
    const auto drives = Create();
    EXPECT_EQ(drives->DriveCount(), 0);
    EXPECT_EQ(drives->Entry(0), TRemovableDrive{});
}

TEST_F(DriveScan, RescanOfUnchangedVolumesGivesTheSameEntries) {
    AddVolume(machine, {.number = 1, .vendor = "One", .letter = L'E'});
    AddVolume(machine, {.number = 2, .vendor = "Two"});
    AddVolume(machine, {.number = 3, .vendor = "Three", .letter = L'G'});
    const auto drives = Create();
    const auto before = Entries(*drives);
    drives->ScanVolumes();
    EXPECT_EQ(Entries(*drives), before);
    EXPECT_EQ(before.size(), 3u);
}

TEST_F(DriveScan, HeldListOutlivesTheScanThatReplacesIt) {
    const std::wstring gone = AddVolume(machine, {.number = 1, .vendor = "Gone", .letter = L'E'});
    const auto drives = Create();
    const TDriveList held = drives->Snapshot();
    machine.RemoveVolume(gone);
    drives->ScanVolumes();

    EXPECT_EQ(drives->DriveCount(), 0);
    ASSERT_EQ(held->size(), 1u);
    EXPECT_EQ((*held)[0], (TRemovableDrive{L"E:\\", L"Gone"}));
}

TEST_F(DriveScan, NotifiesAfterEachRescanButNotForTheFirstScan) {
    AddVolume(machine, {.number = 1, .letter = L'E'});
    const auto drives = Create();
    struct Seen {
        int calls = 0;
        int countAtCall = -1;
        const TDriveEjector* drives = nullptr;
    } seen{0, -1, drives.get()};
    drives->SetOnListChanged(
        [](void* data) {
            auto* s = static_cast<Seen*>(data);
            ++s->calls;
            s->countAtCall = s->drives->DriveCount();
        },
        &seen);
    EXPECT_EQ(seen.calls, 0);
    AddVolume(machine, {.number = 2, .letter = L'F'});
    drives->ScanVolumes();
    EXPECT_EQ(seen.calls, 1);
    EXPECT_EQ(seen.countAtCall, 2);
}

} // namespace
} // namespace stowkeep::drives
