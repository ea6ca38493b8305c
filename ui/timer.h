#pragma once

namespace stowkeep::ui {

// Runs its handler on the UI thread every interval while started.
class Timer {
  public:
    virtual ~Timer() = default;
    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool running() const = 0;
};

} // namespace stowkeep::ui
