#pragma once
// The USB devices that count as the enclosure.

#include <cstdint>

namespace stowkeep::hatchlink {

struct AcceptedDeviceId {
    std::uint32_t vendorId;
    std::uint32_t productId;
    char16_t prefix[32];
};

inline constexpr int kAcceptedPrefixLength = 21;

// Ends with a row whose prefix is empty.
extern const AcceptedDeviceId AcceptedDeviceIds[5];

} // namespace stowkeep::hatchlink
