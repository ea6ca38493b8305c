#include "devicelib/hatchlink.h"
#include "devicelib/library_state.h"
#include "devicelib/os_table.h"
#include "devicelib/poll.h"

#include <cstring>

namespace stowkeep::hatchlink {
namespace {

bool PollThreadRunning() {
    return PollThreadHandle != kInvalidHandle && PollThreadHandle != 0;
}

} // namespace
} // namespace stowkeep::hatchlink

using namespace stowkeep::hatchlink;

// A second DllSet while the poll thread runs is refused: it returns 0 and leaves
// the running poll alone, so one DllEnd always stops the one thread there is.
std::int32_t DllSet() {
    if (PollThreadRunning())
        return 0;
    std::memset(&Scratch, 0, sizeof Scratch);
    EnclosureTable.count = 0;
    CurrentHubPort = 0;
    StateReportLimitMs = 1000;
    HoldReportMs = 2000;
    CommandTimeoutSeconds = 10;
    IsAdministrator = Os().IsUserAnAdmin();
    StopRequested.store(0);
    CommandHandle = kInvalidHandle;
    PollThreadHandle = Os().BeginThread(PollThread, nullptr);
    return static_cast<std::int32_t>(PollThreadHandle);
}

std::int32_t ButtonStatus() {
    return ButtonCode.load();
}

std::int32_t DllEnd() {
    StopRequested.store(1);
    if (PollThreadRunning()) {
        Os().WaitForThread(PollThreadHandle);
        Os().CloseHandle(PollThreadHandle);
    }
    PollThreadHandle = kInvalidHandle;
    std::lock_guard<std::mutex> guard(LibraryLock());
    if (CommandHandle == kInvalidHandle)
        return -1;
    const int closed = Os().CloseHandle(CommandHandle);
    CommandHandle = kInvalidHandle;
    return closed;
}
