#pragma once

#include "ui/signal.h"

#include <functional>

namespace stowkeep::ui {

// Hands work to the UI thread. Everything that touches a control runs there.
class Dispatcher {
  public:
    virtual ~Dispatcher() = default;

    // Fire and forget: queued, runs on the UI thread when messages are processed.
    virtual void post(std::function<void()> work) = 0;
    // Runs work on the UI thread and returns when it has run (at once on the UI thread).
    // Returns false without running it once the dispatcher has stopped, so a worker
    // blocked here is released on exit. A UI-thread wait for a worker that may send must
    // use waitUntil, never a plain join.
    virtual bool send(std::function<void()> work) = 0;

    // Processes the messages (and posted work) that are pending now, then returns.
    virtual void processPendingMessages() = 0;
    // Keeps processing messages until the signal is set, sleeping while nothing comes.
    virtual void waitUntil(Signal& signal) = 0;

    virtual bool onUiThread() const = 0;
    // Refuses further sends and releases waiting senders; posted work is dropped.
    virtual void stop() = 0;
};

} // namespace stowkeep::ui
