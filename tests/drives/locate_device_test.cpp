#include "drives/device_change_hook.h"
#include "drives/locate_device.h"
#include "fake_drives.h"
#include "platform/fake/files_fake.h"
#include "recording_view.h"

#include <gtest/gtest.h>

namespace stowkeep::drives {
namespace {

using platform::FakeFileSystem;
using platform::FakeVolumes;
using testing::AddVolume;
using testing::RecordingView;
using testing::VolumeSpec;

constexpr std::int64_t kMiB = 1 << 20;

class Locate : public ::testing::Test {
  protected:
    Locate() {
        for (wchar_t letter = L'C'; letter <= L'H'; ++letter) {
            files.AddVolume(letter, 1ULL << 40);
        }
    }

    void Run() {
        TDriveEjector drives(machine, ChooseListVolumePaths(machine), hook, [] {});
        LocateDevice(drives, machine, files, state, view);
    }

    void ExpectLook(const std::wstring& deviceState, const std::wstring& root) {
        EXPECT_EQ(state.DeviceState, deviceState);
        EXPECT_EQ(state.DeviceRoot, root);
        const bool ok = deviceState == L"ok";
        EXPECT_EQ(view.image, ok ? root + L"_iso" : L"Select Folder");
        EXPECT_EQ(view.backup, ok ? root + L"backup" : L"Select Folder");
        EXPECT_EQ(view.pictures,
                  ok ? DeviceButtonPictures::Normal : DeviceButtonPictures::NoEnclosure);
    }

    FakeVolumes machine;
    FakeFileSystem files;
    DeviceChangeHook hook;
    MainState state;
    RecordingView view;
};

struct LocateCase {
    const char* name;
    std::vector<VolumeSpec> volumes;
    const wchar_t* deviceState;
    const wchar_t* root;
    bool elevated = true;
};

class LocateOutcome : public Locate, public ::testing::WithParamInterface<LocateCase> {};

TEST_P(LocateOutcome, PublishesStateRootFoldersAndPictures) {
    const LocateCase& c = GetParam();
    for (const VolumeSpec& spec : c.volumes) {
        AddVolume(machine, spec);
    }
    machine.SetElevated(c.elevated);
    Run();
    ExpectLook(c.deviceState, c.root);
    if (std::wstring(c.deviceState) == L"ok") {
        EXPECT_TRUE(platform::FolderExists(files, std::wstring(c.root) + L"_iso"));
    }
    EXPECT_EQ(machine.OpenHandles(), 0);
}

constexpr auto kSata = platform::kBusTypeSata;
constexpr auto kRemovable = platform::kDriveRemovable;

INSTANTIATE_TEST_SUITE_P(
    Device, LocateOutcome,
    ::testing::Values(
        LocateCase{"NoExternalVolume",
                   {{.number = 1, .bus = kSata, .vendor = "KD-RX710", .letter = L'C'}},
                   L"non",
                   L""},
        LocateCase{"OtherVendorFlashDrive",
                   {{.number = 1, .vendor = "SanDisk", .letter = L'F', .driveType = kRemovable}},
                   L"non",
                   L""},
        LocateCase{"OneEnclosureVolume",
                   {{.number = 1, .vendor = "kd-rx710", .letter = L'E'}},
                   L"ok",
                   L"E:\\"},
        LocateCase{
            "CapitalVendor", {{.number = 1, .vendor = "VARNOK  ", .letter = L'E'}}, L"ok", L"E:\\"},
        LocateCase{"VendorWithExtraCharacter",
                   {{.number = 1, .vendor = "KD-RX7100", .letter = L'E'}},
                   L"non",
                   L""},
        LocateCase{"EnclosureAsRemovableMedia",
                   {{.number = 1, .vendor = "VARNOK", .letter = L'E', .driveType = kRemovable}},
                   L"non",
                   L""},
        LocateCase{"EnclosureWithoutMountPath", {{.number = 1, .vendor = "VARNOK"}}, L"non", L""},
        LocateCase{"EarliestStartingVolumeChosen",
                   {{.number = 1, .vendor = "KD-RX710", .letter = L'E', .start = 2048 * kMiB},
                    {.number = 2, .vendor = "KD-RX710", .letter = L'F', .start = kMiB},
                    {.number = 3, .vendor = "KD-RX710", .letter = L'G', .start = 4096 * kMiB}},
                   L"ok",
                   L"F:\\"},
        LocateCase{"TwoEnclosures",
                   {{.number = 1, .vendor = "KD-RX710", .letter = L'E', .disk = 1},
                    {.number = 2, .vendor = "varnok", .letter = L'F', .disk = 2}},
                   L"over",
                   L""},
        LocateCase{"AllExtentsFailLastChosen",
                   {{.number = 1, .vendor = "KD-RX710", .letter = L'E', .extentsFail = true},
                    {.number = 2, .vendor = "KD-RX710", .letter = L'G', .extentsFail = true}},
                   L"ok",
                   L"G:\\"},
        LocateCase{"FailedExtentCountsAsDisk0",
                   {{.number = 1, .vendor = "KD-RX710", .letter = L'E', .disk = 2},
                    {.number = 2, .vendor = "KD-RX710", .letter = L'F', .extentsFail = true}},
                   L"over",
                   L""},
        LocateCase{
            "FailedExtentStartsAtZero",
            {{.number = 1, .vendor = "KD-RX710", .letter = L'E', .disk = 0},
             {.number = 2, .vendor = "KD-RX710", .letter = L'F', .extentsFail = true},
             {.number = 3, .vendor = "KD-RX710", .letter = L'G', .disk = 0, .start = 8 * kMiB}},
            L"ok",
            L"F:\\"},
        LocateCase{
            "MoreExtentsThanTheAnswerHolds",
            {{.number = 1, .vendor = "KD-RX710", .letter = L'E', .disk = 2, .extentCount = 11},
             {.number = 2, .vendor = "KD-RX710", .letter = L'F', .disk = 0}},
            L"ok",
            L"E:\\"},
        LocateCase{"UnelevatedReadsEveryExtentAsZero",
                   {{.number = 1, .vendor = "KD-RX710", .letter = L'E', .disk = 1},
                    {.number = 2, .vendor = "KD-RX710", .letter = L'F', .disk = 2}},
                   L"ok",
                   L"F:\\",
                   false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(Locate, ExistingImageFolderIsLeftAlone) {
    AddVolume(machine, {.number = 1, .vendor = "KD-RX710", .letter = L'E'});
    files.AddFile(L"E:\\_iso\\disk1.ima", "image");
    files.SetAttributes(L"E:\\_iso", platform::kAttrDirectory | platform::kAttrHidden);
    Run();
    ExpectLook(L"ok", L"E:\\");
    EXPECT_EQ(files.Content(L"E:\\_iso\\disk1.ima"), "image");
    EXPECT_EQ(files.Attributes(L"E:\\_iso"), platform::kAttrDirectory | platform::kAttrHidden);
}

TEST_F(Locate, ImageFolderThatCannotBeCreatedStillSetsTheEdits) {
    AddVolume(machine, {.number = 1, .vendor = "KD-RX710", .letter = L'E'});
    files.AddFile(L"E:\\_iso", "a file in the way");
    Run();
    ExpectLook(L"ok", L"E:\\");
    EXPECT_EQ(files.Content(L"E:\\_iso"), "a file in the way");
}

TEST_F(Locate, UnpluggingTheEnclosureReturnsToTheNoEnclosureLook) {
    const std::wstring enclosure =
        AddVolume(machine, {.number = 1, .vendor = "KD-RX710", .letter = L'E'});
    AddVolume(machine, {.number = 2, .vendor = "SanDisk", .letter = L'F'});
    TDriveEjector drives(machine, ChooseListVolumePaths(machine), hook, [] {});
    LocateDevice(drives, machine, files, state, view);
    ExpectLook(L"ok", L"E:\\");

    machine.RemoveVolume(enclosure);
    drives.ScanVolumes();
    LocateDevice(drives, machine, files, state, view);
    ExpectLook(L"non", L"");
}

} // namespace
} // namespace stowkeep::drives
