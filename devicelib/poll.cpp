#include "devicelib/poll.h"

#include "devicelib/button.h"
#include "devicelib/discovery.h"
#include "devicelib/library_state.h"
#include "devicelib/os_table.h"
#include "devicelib/queries.h"

namespace stowkeep::hatchlink {

std::int32_t PollButton() {
    if (CommandHandle == kInvalidHandle)
        CommandHandle = DiscoverEnclosure();
    if (CommandHandle == kInvalidHandle)
        return 0;
    std::uint16_t reply = 0;
    const int ok = ReadButtonState(&reply);
    Os().CloseHandle(CommandHandle);
    CommandHandle = kInvalidHandle;
    if (!ok)
        return 0;
    return DecodeButton(static_cast<std::uint8_t>(reply & 0xFF),
                        static_cast<std::uint8_t>(reply >> 8));
}

unsigned PollThread(void*) {
    while (StopRequested.load() == 0) {
        std::int32_t code;
        {
            std::lock_guard<std::mutex> cycle(LibraryLock());
            code = PollButton();
        }
        ButtonCode.store(code);
        Os().Sleep(kPollPeriodMs);
    }
    return 0;
}

} // namespace stowkeep::hatchlink
