#include "platform/fake/fake_processes.h"

#include <algorithm>
#include <utility>

namespace stowkeep::platform::fake {

FakeProcesses::FakeProcesses(std::uint32_t currentId, std::optional<std::uint32_t> currentSession)
    : currentId_(currentId), currentSession_(currentSession) {}

std::vector<ProcessEntry> FakeProcesses::List() const {
    return table_;
}

std::uint32_t FakeProcesses::CurrentProcessId() const {
    return currentId_;
}

std::optional<std::uint32_t> FakeProcesses::CurrentSessionId() const {
    return currentSession_;
}

bool FakeProcesses::Terminate(std::uint32_t id, std::uint32_t exitCode) {
    const auto entry = std::find_if(table_.begin(), table_.end(),
                                    [id](const ProcessEntry& e) { return e.id == id; });
    if (entry == table_.end()) {
        return false;
    }
    table_.erase(entry);
    ended_.push_back({id, exitCode});
    return true;
}

void FakeProcesses::Add(ProcessEntry entry) {
    table_.push_back(std::move(entry));
}

const std::vector<FakeProcesses::Ending>& FakeProcesses::Ended() const {
    return ended_;
}

} // namespace stowkeep::platform::fake
