#include "copy_engine_fixture.h"

#include <gtest/gtest.h>

namespace stowkeep::backup::testing {

void ScriptedCopyWindow::ProcessMessages() {
    ++processCalls;
    // A paused engine that polls instead of waiting would never end here.
    if (run_.CopyControl == kCopyPause && ++pollsWhilePaused_ > 1000) {
        ADD_FAILURE() << "messages polled while paused, without waiting for one";
        ClickCancel();
    }
    if (onProcess) {
        onProcess(processCalls);
    }
}

void ScriptedCopyWindow::WaitForMessages() {
    ++waitCalls;
    pollsWhilePaused_ = 0;
    // Nothing else would ever end a pause in these tests.
    if (waitCalls > 1000) {
        ADD_FAILURE() << "paused without end";
        ClickCancel();
    }
    if (onWait) {
        onWait(waitCalls);
    }
}

CopyFixture::CopyFixture() : window(run) {
    files.AddVolume(L'C', 1ull << 40);
    files.AddVolume(L'E', 1ull << 40);
    run.CopyControl = kCopyStart;
}

bool CopyFixture::Copy(const std::wstring& source, const std::wstring& destination) {
    auto now = std::make_shared<std::chrono::steady_clock::time_point>();
    const auto step = clockStep;
    CopyEngine engine(
        files, run, window, total,
        [now, step] {
            *now += step;
            return *now;
        },
        batching);
    return engine.CopyFolder(source, destination);
}

std::vector<std::wstring> CopyFixture::Names(const std::wstring& folder) {
    std::vector<std::wstring> names;
    for (const auto& entry : files.List(folder).value_or(std::vector<platform::FolderEntry>{})) {
        names.push_back(entry.name);
    }
    return names;
}

} // namespace stowkeep::backup::testing
