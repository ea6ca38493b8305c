#pragma once
// Turning the enclosure's button reply into the code that ButtonStatus publishes.

#include <cstdint>

namespace stowkeep::hatchlink {

inline constexpr std::int32_t kButtonHeldCode = 4;

std::int32_t DecodeButton(std::uint8_t state, std::uint8_t seconds);

} // namespace stowkeep::hatchlink
