#pragma once

#include "platform/processes.h"

namespace stowkeep::platform::win32 {

// Processes through a tool-help snapshot; sessions through ProcessIdToSessionId.
class Win32Processes : public Processes {
  public:
    std::vector<ProcessEntry> List() const override;
    std::uint32_t CurrentProcessId() const override;
    std::optional<std::uint32_t> CurrentSessionId() const override;
    bool Terminate(std::uint32_t id, std::uint32_t exitCode) override;
};

} // namespace stowkeep::platform::win32
