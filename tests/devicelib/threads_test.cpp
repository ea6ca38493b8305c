// The poll thread against callers of ButtonStatus and SafelyRemove on another
// thread. CI runs this program under ThreadSanitizer.

#include "devicelib/hatchlink.h"
#include "devicelib/os_table.h"
#include "library_fixture.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace stowkeep::hatchlink::testing {
namespace {

std::atomic<int> removalsInside{0};
std::atomic<int> discoveriesDuringRemoval{0};
std::atomic<int> discoveries{0};

ConfigRet EjectMarkingRemoval(DevInst device, std::int32_t* vetoType, char16_t* name,
                              std::uint32_t length, std::uint32_t flags) {
    ++removalsInside;
    std::this_thread::yield();
    const ConfigRet r =
        PlatformOsTable().CM_Request_Device_EjectW(device, vetoType, name, length, flags);
    --removalsInside;
    return r;
}

Handle ClassDevsCheckingRemoval(const Guid* g, const char16_t* enumerator, std::uint32_t flags) {
    ++discoveries;
    if (removalsInside.load() != 0)
        ++discoveriesDuringRemoval;
    return PlatformOsTable().SetupDiGetClassDevsW(g, enumerator, flags);
}

class ThreadsTest : public EnclosureTest {};

TEST_F(ThreadsTest, ButtonStatusAndSafelyRemoveDuringPolling) {
    machine.threadSleep = sim::ThreadSleep::Brief;
    enclosure.firmware->PressButton(2, 0);
    Os().CM_Request_Device_EjectW = EjectMarkingRemoval;
    Os().SetupDiGetClassDevsW = ClassDevsCheckingRemoval;

    ASSERT_NE(DllSet(), 0);
    // From the first published code on, the table names the enclosure.
    while (ButtonStatus() != 2)
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    const int discoveriesBefore = discoveries.load();
    int removed = 0;
    int calls = 0;
    int unexpectedCodes = 0;
    // Paced so that poll cycles get the library lock between removals.
    while (calls < 200 || discoveries.load() < discoveriesBefore + 4 * 20) {
        const std::int32_t code = ButtonStatus();
        unexpectedCodes += code != 0 && code != 2;
        removed += SafelyRemove();
        ++calls;
        std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    EXPECT_EQ(DllEnd(), -1);
    ResetOs();

    EXPECT_EQ(unexpectedCodes, 0);
    EXPECT_EQ(removed, calls);
    EXPECT_EQ(discoveriesDuringRemoval.load(), 0);
    EXPECT_EQ(machine.OpenHandles(), 0);
    EXPECT_EQ(machine.EjectedCount(), calls);
}

} // namespace
} // namespace stowkeep::hatchlink::testing
