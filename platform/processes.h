#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace stowkeep::platform {

// One process of a process snapshot.
struct ProcessEntry {
    std::uint32_t id = 0;
    std::optional<std::uint32_t> sessionId; // absent when the system would not tell
    std::wstring exeName;                   // executable file name, without folder
};

// The running processes of the machine.
class Processes {
  public:
    virtual ~Processes() = default;

    // Every running process, in snapshot order.
    virtual std::vector<ProcessEntry> List() const = 0;

    virtual std::uint32_t CurrentProcessId() const = 0;
    // Absent when the system would not tell; never taken for session 0, whose
    // processes are the system's services.
    virtual std::optional<std::uint32_t> CurrentSessionId() const = 0;

    // Ends process id with exitCode. False when it cannot be opened or ended.
    // Ending the current process does not return.
    virtual bool Terminate(std::uint32_t id, std::uint32_t exitCode) = 0;
};

} // namespace stowkeep::platform
