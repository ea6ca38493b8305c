#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>

namespace stowkeep::backup {

// The one-touch watcher: asks the device library for its button code once per
// period and, on code 2, has the reaction carried out on the user-interface
// thread, waiting for it before it sleeps and polls again.
//
// Exit runs on the user-interface thread and may run while a reaction is still
// in progress there (the backup run processes messages). So the watcher's wait
// for a reaction, like its sleep, ends as soon as Terminate is called; a
// reaction that has not started by then is dropped.
class TThreadOTB {
  public:
    using Task = std::function<void()>;
    struct Hooks {
        std::function<int32_t()> ButtonStatus; // called on the watcher's thread
        std::function<void(Task)> PostToUi;    // queue a task for the UI thread, no wait
        Task React;                            // runs on the UI thread
    };

    static constexpr int32_t BackupCode = 2;

    TThreadOTB(const std::atomic<int>& exitFlag, Hooks hooks,
               std::chrono::milliseconds period = std::chrono::milliseconds(1000));
    ~TThreadOTB();
    TThreadOTB(const TThreadOTB&) = delete;
    TThreadOTB& operator=(const TThreadOTB&) = delete;

    // Asks the thread to end and wakes it from its sleep or its wait.
    void Terminate();
    // Terminate, then wait until the thread has ended. Safe to call inside a reaction.
    void WaitFor();

  private:
    struct Shared;

    void Execute();
    void RunReactionOnUi();
    bool SleepUnlessTerminated();

    const std::atomic<int>& exitFlag_;
    Hooks hooks_;
    std::chrono::milliseconds period_;
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

} // namespace stowkeep::backup
