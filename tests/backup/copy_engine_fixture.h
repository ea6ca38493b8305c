#pragma once

// A copy engine on the in-memory file system, with a copy window that
// records what it is shown and lets a test click Pause and Cancel from inside
// the engine's message processing.

#include "backup/copy_engine.h"
#include "platform/fake/files_fake.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace stowkeep::backup::testing {

class ScriptedCopyWindow : public CopyWindowPort {
  public:
    explicit ScriptedCopyWindow(CopyRunState& run) : run_(run) {}

    void SetFilePath(const std::wstring& path) override { paths.push_back(path); }
    void SetErrorLine(const std::wstring& text) override { errorLines.push_back(text); }
    void SetProgress(int position) override { progress.push_back(position); }
    void ShowMessage(const std::wstring& text) override { messages.push_back(text); }
    void ProcessMessages() override;
    void WaitForMessages() override;

    // The copy window's buttons.
    void ClickCancel() { run_.CopyControl = kCopyCancel; }
    void ClickPause() {
        run_.CopyControl = run_.CopyControl == kCopyStart ? kCopyPause : kCopyStart;
    }

    std::vector<std::wstring> paths;
    std::vector<std::wstring> errorLines;
    std::vector<int> progress;
    std::vector<std::wstring> messages;
    int processCalls = 0;
    int waitCalls = 0;
    // Called with the number of the call, counted from 1.
    std::function<void(int)> onProcess;
    std::function<void(int)> onWait;

  private:
    CopyRunState& run_;
    int pollsWhilePaused_ = 0;
};

struct CopyFixture {
    CopyFixture();

    // Runs CopyFolder with a clock that moves on by clockStep at every look.
    bool Copy(const std::wstring& source, const std::wstring& destination);
    // The names in a folder of the in-memory file system, in listing order.
    std::vector<std::wstring> Names(const std::wstring& folder);

    platform::FakeFileSystem files;
    CopyRunState run;
    ScriptedCopyWindow window;
    std::atomic<std::int32_t> total{0};
    std::chrono::milliseconds clockStep{1};
    CopyBatching batching;
};

} // namespace stowkeep::backup::testing
