#include "platform/instances_to_end.h"

namespace stowkeep::platform {

std::vector<std::uint32_t> InstancesToEnd(const std::vector<ProcessEntry>& snapshot,
                                          std::wstring_view exeName,
                                          std::optional<std::uint32_t> ownSession,
                                          std::uint32_t ownId) {
    std::vector<std::uint32_t> picked;
    bool ownPicked = false;
    for (const ProcessEntry& entry : snapshot) {
        if (entry.exeName != exeName) {
            continue;
        }
        if (entry.id == ownId) {
            ownPicked = true;
        } else if (ownSession && entry.sessionId == ownSession) {
            picked.push_back(entry.id);
        }
    }
    if (ownPicked) {
        picked.push_back(ownId);
    }
    return picked;
}

int EndInstancesOfOwnSession(Processes& processes, std::wstring_view exeName,
                             const std::function<void()>& beforeOwnEnd) {
    int ended = 0;
    const std::uint32_t ownId = processes.CurrentProcessId();
    const auto ids = InstancesToEnd(processes.List(), exeName, processes.CurrentSessionId(), ownId);
    for (std::uint32_t id : ids) {
        if (id == ownId && beforeOwnEnd) {
            beforeOwnEnd();
        }
        if (processes.Terminate(id, 0)) {
            ++ended;
        }
    }
    return ended;
}

} // namespace stowkeep::platform
