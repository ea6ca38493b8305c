#pragma once

#include "platform/processes.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace stowkeep::platform {

// The ids of the processes named exeName (exact, case-sensitive) that run in the
// logon session ownSession, in snapshot order, except that ownId comes last:
// ending our own process ends the walk, so every other instance goes first.
// Processes of other sessions may belong to other users, and so may those whose
// session is unknown: they are never picked, and with our own session unknown
// nothing but our own process is. Our own process is ours whatever the
// snapshot says of its session.
std::vector<std::uint32_t> InstancesToEnd(const std::vector<ProcessEntry>& snapshot,
                                          std::wstring_view exeName,
                                          std::optional<std::uint32_t> ownSession,
                                          std::uint32_t ownId);

// Ends the instances that InstancesToEnd picks from a fresh snapshot, with exit
// code 0. Returns how many it ended; when our own process is among them this
// does not return, and `beforeOwnEnd` runs just before it ends: the last of
// our own clean-up that must happen.
int EndInstancesOfOwnSession(Processes& processes, std::wstring_view exeName,
                             const std::function<void()>& beforeOwnEnd = {});

} // namespace stowkeep::platform
