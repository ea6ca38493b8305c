#include "devicelib/button.h"

#include "devicelib/library_state.h"

namespace stowkeep::hatchlink {

std::int32_t DecodeButton(std::uint8_t state, std::uint8_t seconds) {
    const std::uint32_t heldMs = std::uint32_t{seconds} * 1000;
    if (state >= 2)
        return heldMs < StateReportLimitMs ? state : 0;
    if (state == 1)
        return heldMs >= HoldReportMs ? kButtonHeldCode : 0;
    return 0;
}

} // namespace stowkeep::hatchlink
