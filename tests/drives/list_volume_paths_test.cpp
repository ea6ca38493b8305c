#include "drives/list_volume_paths.h"
#include "fake_drives.h"

#include <array>
#include <cwctype>
#include <gtest/gtest.h>

namespace stowkeep::drives {
namespace {

using namespace std::string_view_literals;
using platform::FakeVolumes;
using testing::AddVolume;
using testing::VolumeSpec;

std::wstring Text(std::wstring_view text) {
    return std::wstring(text);
}

// System disk at C:, a floppy at A:, and the wanted volume X at D:\ and in
// C:\mnt\x\ (and in A:\x\, which the walk must never see).
class WalkMachine : public ::testing::Test {
  protected:
    WalkMachine() {
        machine.SetSystemLister(false);
        system = AddVolume(machine, {.number = 1, .letter = L'C'});
        floppy = AddVolume(machine, {.number = 2, .letter = L'A'});
        wanted = AddVolume(machine, {.number = 3, .letter = L'D'});
        machine.MountInFolder(wanted, system, L"mnt\\x\\");
        machine.MountInFolder(wanted, floppy, L"x\\");
    }

    std::pair<bool, std::wstring> Walk(const std::wstring& volume) {
        std::array<wchar_t, 260> buffer{};
        std::uint32_t length = 0;
        const bool ok = WalkVolumePaths(machine, volume, buffer.data(), 260, &length);
        return {ok, std::wstring(buffer.data(), ok ? length : 0)};
    }

    FakeVolumes machine;
    std::wstring system, floppy, wanted;
    const std::wstring expected = Text(L"C:\\mnt\\x\\\0D:\\\0\0"sv);
};

TEST_F(WalkMachine, TakesRootsInLetterOrderAndEachRootsFoldersFirst) {
    EXPECT_EQ(Walk(wanted), std::make_pair(true, expected));
    EXPECT_EQ(machine.OpenHandles(), 0);
}

TEST_F(WalkMachine, WalksNestedFoldersDepthFirstAndMatchesNamesIgnoringCase) {
    const std::wstring inner = AddVolume(machine, {.number = 4, .letter = L'E'});
    machine.MountInFolder(inner, wanted, L"y\\");
    std::wstring shouted = inner;
    for (wchar_t& c : shouted) {
        c = static_cast<wchar_t>(std::towupper(c));
    }
    EXPECT_EQ(Walk(shouted), std::make_pair(true, Text(L"C:\\mnt\\x\\y\\\0D:\\y\\\0E:\\\0\0"sv)));
}

TEST_F(WalkMachine, VolumeWithoutMountPathsGivesOnlyTheFinalNul) {
    const std::wstring hidden = AddVolume(machine, {.number = 5});
    EXPECT_EQ(Walk(hidden), std::make_pair(true, Text(L"\0"sv)));
}

TEST_F(WalkMachine, VolumeMountedInsideItselfEnds) {
    machine.MountInFolder(system, system, L"again\\");
    EXPECT_EQ(Walk(system), std::make_pair(true, Text(L"C:\\\0C:\\again\\\0\0"sv)));
}

struct CapacityCase {
    const char* name;
    bool withBuffer;
    std::uint32_t capacity;
    bool succeeds;
    std::uint32_t length;
    bool filled; // buffer holds the result; otherwise its first character is NUL
};

class WalkCapacity : public WalkMachine, public ::testing::WithParamInterface<CapacityCase> {};

TEST_P(WalkCapacity, HandsTheResultOverByCapacity) {
    const CapacityCase& c = GetParam();
    std::array<wchar_t, 32> buffer;
    buffer.fill(L'#');
    std::uint32_t length = 99;
    const bool ok = WalkVolumePaths(machine, wanted, c.withBuffer ? buffer.data() : nullptr,
                                    c.capacity, &length);
    EXPECT_EQ(ok, c.succeeds);
    EXPECT_EQ(length, c.length);
    if (c.filled) {
        EXPECT_EQ(std::wstring(buffer.data(), expected.size()), expected);
    } else if (c.withBuffer && c.capacity > 0) {
        EXPECT_EQ(buffer[0], L'\0');
        EXPECT_EQ(buffer[1], L'#');
    } else if (c.withBuffer) {
        EXPECT_EQ(buffer[0], L'#'); // no capacity: nothing may be written
    }
}

INSTANTIATE_TEST_SUITE_P(
    Walk, WalkCapacity,
    ::testing::Values(CapacityCase{"Exact", true, 15, true, 15, true},
                      CapacityCase{"Larger", true, 32, true, 15, true},
                      CapacityCase{"OneShort", true, 14, false, 1, false},
                      CapacityCase{"NoBufferNoCapacity", false, 0, true, 15, false},
                      CapacityCase{"NoBufferSomeCapacity", false, 15, false, 1, false},
                      CapacityCase{"BufferNoCapacity", true, 0, false, 1, false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(WalkMachine, ChoosesTheSystemFunctionWhenTheKernelExportsIt) {
    // The system lists drive letters first; the walk lists C:\mnt\x\ first.
    std::array<wchar_t, 260> buffer{};
    std::uint32_t length = 0;
    ASSERT_TRUE(ChooseListVolumePaths(machine)(wanted, buffer.data(), 260, &length));
    EXPECT_EQ(std::wstring(buffer.data(), length), expected);

    machine.SetSystemLister(true);
    ASSERT_TRUE(ChooseListVolumePaths(machine)(wanted, buffer.data(), 260, &length));
    EXPECT_EQ(std::wstring(buffer.data(), length), Text(L"D:\\\0C:\\mnt\\x\\\0A:\\x\\\0\0"sv));
}

TEST(BindListVolumePaths, BindsOnceForTheWholeProcess) {
    static FakeVolumes withoutSystemFunction;
    static FakeVolumes withSystemFunction;
    withoutSystemFunction.SetSystemLister(false);
    const std::wstring volume = AddVolume(withoutSystemFunction, {.number = 7, .letter = L'F'});

    const ListVolumePathsFunction& first = BindListVolumePaths(withoutSystemFunction);
    const ListVolumePathsFunction& second = BindListVolumePaths(withSystemFunction);
    EXPECT_EQ(&first, &second);
    std::array<wchar_t, 260> buffer{};
    std::uint32_t length = 0;
    ASSERT_TRUE(second(volume, buffer.data(), 260, &length));
    EXPECT_EQ(std::wstring(buffer.data(), length), Text(L"F:\\\0\0"sv));
}

} // namespace
} // namespace stowkeep::drives
