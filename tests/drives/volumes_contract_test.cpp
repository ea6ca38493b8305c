// The volume seam's contract, run against the in-memory machine on the host
// and against the real Win32 side in the Windows build.
#include "drives/list_volume_paths.h"

#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <set>

#ifdef _WIN32
#include "platform/win32/volumes_win32.h"

#include <windows.h>
#else
#include "platform/fake/volumes_fake.h"
#endif

namespace stowkeep::drives {
namespace {

std::unique_ptr<platform::VolumeSystem> SystemWithDriveC() {
#ifdef _WIN32
    return std::make_unique<platform::Win32Volumes>();
#else
    auto machine = std::make_unique<platform::FakeVolumes>();
    platform::FakeStorageVolume system;
    system.name = platform::FakeVolumeName(1);
    system.busType = platform::kBusTypeSata;
    machine->AddVolume(system);
    machine->MountAtLetter(system.name, L'C');
    return machine;
#endif
}

// Wine's GetVolumeNameForVolumeMountPointW refuses the \\.\ prefix that
// the built-in walk puts before each root.
bool TakesDevicePrefixedRoots() {
#ifdef _WIN32
    HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll == nullptr || GetProcAddress(ntdll, "wine_get_version") == nullptr;
#else
    return true;
#endif
}

// Splits a NUL-separated list that ends with a second NUL.
std::set<std::wstring> PathSet(const wchar_t* list) {
    std::set<std::wstring> paths;
    for (const wchar_t* at = list; *at != L'\0'; at += paths.insert(at).first->size() + 1) {
    }
    return paths;
}

class VolumeContract : public ::testing::Test {
  protected:
    VolumeContract() : system(SystemWithDriveC()) {}

    std::wstring DriveCVolume() {
        std::wstring name;
        EXPECT_TRUE(system->VolumeNameForMountPoint(L"C:\\", name));
        return name;
    }

    // A drive letter that nothing is mounted at.
    wchar_t UnusedLetter() {
        const auto roots = system->LogicalDriveStrings();
        for (wchar_t letter = L'Y'; letter > L'D'; --letter) {
            if (std::none_of(roots.begin(), roots.end(),
                             [&](const std::wstring& root) { return root[0] == letter; })) {
                return letter;
            }
        }
        return L'\0';
    }

    std::unique_ptr<platform::VolumeSystem> system;
};

TEST_F(VolumeContract, EnumerationGivesVolumeGuidPathsAndEnds) {
    std::wstring name;
    auto volumes = system->FirstVolume(name);
    ASSERT_TRUE(volumes);
    std::vector<std::wstring> names;
    do {
        names.push_back(name);
    } while (names.size() < 100 && volumes->Next(name));
    ASSERT_LT(names.size(), 100u);
    for (const std::wstring& each : names) {
        EXPECT_EQ(each.rfind(L"\\\\?\\Volume{", 0), 0u) << std::string(each.begin(), each.end());
        EXPECT_EQ(each.substr(each.size() - 2), L"}\\");
    }
    const std::wstring driveC = DriveCVolume();
    EXPECT_TRUE(std::any_of(names.begin(), names.end(), [&](const std::wstring& each) {
        return system->NamesEqualIgnoringCase(each, driveC);
    }));
}

TEST_F(VolumeContract, DeviceAndPlainRootNameTheSameVolume) {
    if (!TakesDevicePrefixedRoots()) {
        GTEST_SKIP() << "Wine takes no device-prefixed roots";
    }
    std::wstring prefixed;
    ASSERT_TRUE(system->VolumeNameForMountPoint(L"\\\\.\\C:\\", prefixed));
    EXPECT_TRUE(system->NamesEqualIgnoringCase(prefixed, DriveCVolume()));
    std::wstring none;
    EXPECT_FALSE(system->VolumeNameForMountPoint(std::wstring(1, UnusedLetter()) + L":\\", none));
}

TEST_F(VolumeContract, SystemListerAndWalkListTheSamePaths) {
    const ListVolumePathsFunction lister = system->SystemVolumePathNames();
    ASSERT_TRUE(lister);
    const std::wstring volume = DriveCVolume();
    std::array<wchar_t, 260> listed{};
    std::uint32_t length = 0;
    ASSERT_TRUE(lister(volume, listed.data(), 260, &length));
    EXPECT_TRUE(PathSet(listed.data()).contains(L"C:\\"));

    if (!TakesDevicePrefixedRoots()) {
        GTEST_SKIP() << "Wine takes no device-prefixed roots";
    }
    std::array<wchar_t, 260> walked{};
    std::uint32_t walkedLength = 0;
    ASSERT_TRUE(WalkVolumePaths(*system, volume, walked.data(), 260, &walkedLength));
    EXPECT_EQ(PathSet(walked.data()), PathSet(listed.data()));
    EXPECT_EQ(walkedLength, length);
}

TEST_F(VolumeContract, SystemListerReportsTheLengthItNeeds) {
    const ListVolumePathsFunction lister = system->SystemVolumePathNames();
    ASSERT_TRUE(lister);
    std::array<wchar_t, 260> listed{};
    std::uint32_t length = 0;
    ASSERT_TRUE(lister(DriveCVolume(), listed.data(), 260, &length));
    std::uint32_t needed = 0;
    EXPECT_FALSE(lister(DriveCVolume(), nullptr, 0, &needed));
    EXPECT_EQ(needed, length);
}

TEST_F(VolumeContract, DriveRootsAndTheirTypes) {
    const auto roots = system->LogicalDriveStrings();
    EXPECT_NE(std::find(roots.begin(), roots.end(), L"C:\\"), roots.end());
    for (const std::wstring& root : roots) {
        EXPECT_EQ(root.size(), 3u);
        EXPECT_EQ(root.substr(1), L":\\");
    }
    EXPECT_EQ(system->DriveType(L"C:\\"), platform::kDriveFixed);
    EXPECT_EQ(system->DriveType(std::wstring(1, UnusedLetter()) + L":\\"),
              platform::kDriveNoRootDir);
}

TEST_F(VolumeContract, OpensOnlyVolumesThatExist) {
    EXPECT_TRUE(system->OpenVolume(L"\\\\.\\C:", platform::VolumeAccess::QueryOnly));
    EXPECT_FALSE(system->OpenVolume(L"\\\\.\\" + std::wstring(1, UnusedLetter()) + L":",
                                    platform::VolumeAccess::QueryOnly));
}

TEST_F(VolumeContract, ComparesNamesIgnoringCaseAndReadsTheCodePage) {
    EXPECT_TRUE(system->NamesEqualIgnoringCase(L"\\\\?\\Volume{AbC}\\", L"\\\\?\\volume{aBc}\\"));
    EXPECT_FALSE(system->NamesEqualIgnoringCase(L"\\\\?\\Volume{abc}\\", L"\\\\?\\Volume{abd}\\"));
    EXPECT_EQ(system->FromSystemCodePage("KD-RX710 "), L"KD-RX710 ");
    EXPECT_EQ(system->FromSystemCodePage(""), L"");
}

} // namespace
} // namespace stowkeep::drives
