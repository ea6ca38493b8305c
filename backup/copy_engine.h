#pragma once

#include "platform/files.h"

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace stowkeep::backup {

// Values of CopyControl.
inline const std::wstring kCopyStart = L"start";
inline const std::wstring kCopyPause = L"pause";
inline const std::wstring kCopyCancel = L"cancel";

inline const std::wstring kNoSpaceLeft = L"There is no space left.";

// The state one backup run shares with the copy engine. The run sets it up,
// the copy window's Pause and Cancel buttons change CopyControl (while the
// engine processes messages), the engine raises the counters. All of it is
// touched on the copy window's thread only.
struct CopyRunState {
    std::wstring CopyControl; // "start", "pause" or "cancel"
    int ErrorCount = 0;
    int CopiedCount = 0;
};

// What the copy engine needs from the copy window (TForm2).
class CopyWindowPort {
  public:
    virtual ~CopyWindowPort() = default;
    // spSkinStdLabel4: the full path of the file being copied (the window
    // applies its 529-pixel width rule).
    virtual void SetFilePath(const std::wstring& path) = 0;
    // spSkinStdLabel2: "Error : " + ErrorCount.
    virtual void SetErrorLine(const std::wstring& text) = 0;
    // JvXPProgressBar1, 0 .. 100.
    virtual void SetProgress(int position) = 0;
    // The main window's plain message box (application title, no icon, OK).
    virtual void ShowMessage(const std::wstring& text) = 0;
    // Processes the pending window messages: repaints, and clicks on Pause
    // and Cancel, which change CopyControl.
    virtual void ProcessMessages() = 0;
    // Blocks, without using a processor, until a window message is pending.
    virtual void WaitForMessages() = 0;
};

// CopyFolder: copies a folder tree in blocks of 1024 bytes into an existing
// destination folder, one file at a time, on the copy window's thread.
//
// Each file is written to a temporary file in the destination folder and put
// in place of the older copy only once complete and flushed, so a cancel, a
// full disk or a read error leaves the older copy as it was. Folders that are
// junctions or symbolic links are passed over (the file counter does the
// same), and so is the job's own destination folder when it lies inside the
// source. Window messages are processed about every kMessageInterval, also in
// the middle of a large file, so Pause and Cancel act within a block or two.
class CopyEngine {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    static constexpr std::size_t kBlockSize = 1024;
    static constexpr std::chrono::milliseconds kMessageInterval{30};

    CopyEngine(platform::FileSystem& files, CopyRunState& run, CopyWindowPort& window,
               const std::atomic<std::int32_t>& totalFileCount,
               Clock clock = &std::chrono::steady_clock::now);

    // True when the tree was walked to its end (errors included); false when
    // the run must stop: Cancel, or no space left (after the message).
    bool CopyFolder(const std::wstring& source, const std::wstring& destination);

  private:
    class Walk;

    platform::FileSystem& files_;
    CopyRunState& run_;
    CopyWindowPort& window_;
    const std::atomic<std::int32_t>& totalFileCount_;
    Clock clock_;
};

} // namespace stowkeep::backup
