#include "devicelib/library_state.h"

namespace stowkeep::hatchlink {

EnclosureTableData EnclosureTable;
DiscoveryScratch Scratch;
alignas(kDataBufferAlignment) std::uint8_t DataBuffer[kDataBufferSize];
std::uint32_t CurrentHubPort;

std::atomic<std::int32_t> ButtonCode{0};
std::atomic<std::int32_t> StopRequested{0};
Handle PollThreadHandle = kInvalidHandle;
Handle CommandHandle = kInvalidHandle;
std::int32_t IsAdministrator;
std::uint32_t CommandTimeoutSeconds = 10;
std::uint32_t StateReportLimitMs = 1000;
std::uint32_t HoldReportMs = 2000;

std::mutex& LibraryLock() {
    static std::mutex lock;
    return lock;
}

} // namespace stowkeep::hatchlink
