#pragma once
// The poll thread and one poll cycle.

#include <cstdint>

namespace stowkeep::hatchlink {

inline constexpr std::uint32_t kPollPeriodMs = 2000;

// One cycle: a full discovery and one button query; returns the button code.
// The caller holds LibraryLock().
std::int32_t PollButton();
unsigned PollThread(void* unused);

} // namespace stowkeep::hatchlink
