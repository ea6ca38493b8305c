#pragma once

#include "platform/processes.h"

#include <vector>

namespace stowkeep::platform::fake {

// A process table in memory. Ending a process takes it off the table and
// records it; ending the current process is recorded like any other (a test
// reads Ended() to see that the program would have stopped there).
class FakeProcesses : public Processes {
  public:
    struct Ending {
        std::uint32_t id = 0;
        std::uint32_t exitCode = 0;
    };

    // currentSession absent: the system would not tell our own session.
    FakeProcesses(std::uint32_t currentId, std::optional<std::uint32_t> currentSession);

    std::vector<ProcessEntry> List() const override;
    std::uint32_t CurrentProcessId() const override;
    std::optional<std::uint32_t> CurrentSessionId() const override;
    bool Terminate(std::uint32_t id, std::uint32_t exitCode) override;

    void Add(ProcessEntry entry);
    const std::vector<Ending>& Ended() const;

  private:
    std::uint32_t currentId_;
    std::optional<std::uint32_t> currentSession_;
    std::vector<ProcessEntry> table_;
    std::vector<Ending> ended_;
};

} // namespace stowkeep::platform::fake
