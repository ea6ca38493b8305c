// Polling must not allocate: this program counts every global operator new.

#include "devicelib/poll.h"
#include "library_fixture.h"

#include <atomic>
#include <cstdlib>
#include <new>

// GCC pairs the inline new with library deletes and warns about malloc and free.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

namespace {
std::atomic<bool> counting{false};
std::atomic<int> allocations{0};
} // namespace

void* operator new(std::size_t size) {
    if (counting.load())
        ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace stowkeep::hatchlink::testing {
namespace {

struct RouteCase {
    const char* name;
    bool administrator;
    bool slotList;
};

class AllocationTest : public EnclosureTest, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(AllocationTest, PollCycleWithEnclosureAllocatesNothing) {
    IsAdministrator = GetParam().administrator;
    enclosure.firmware->hasSlotList = GetParam().slotList;
    enclosure.firmware->PressButton(2, 0);
    enclosure.firmware->chunkSize = 4;
    enclosure.firmware->busyBeforeChunk = 1;

    allocations = 0;
    counting = true;
    const std::int32_t code = PollButton();
    counting = false;

    EXPECT_EQ(code, 2);
    EXPECT_EQ(allocations.load(), 0);
    EXPECT_EQ(First().unitCount, 2u);
}

INSTANTIATE_TEST_SUITE_P(Routes, AllocationTest,
                         ::testing::Values(RouteCase{"Direct", true, true},
                                           RouteCase{"Hub", false, true},
                                           RouteCase{"HubWithoutSlotList", false, false}),
                         NameOfCase{});

} // namespace
} // namespace stowkeep::hatchlink::testing
