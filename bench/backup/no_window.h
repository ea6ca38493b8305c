#pragma once

#include "backup/copy_engine.h"

namespace stowkeep::bench {

// The copy window of a benchmark run: nothing shown, no messages to process.
class NoWindow : public backup::CopyWindowPort {
  public:
    void SetFilePath(const std::wstring&) override {}
    void SetErrorLine(const std::wstring&) override {}
    void SetProgress(int) override {}
    void ShowMessage(const std::wstring&) override {}
    void ProcessMessages() override {}
    void WaitForMessages() override {}
};

} // namespace stowkeep::bench
