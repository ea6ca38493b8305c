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
inline const std::wstring kConnectDevice = L"Please connect device.";

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

// A batch of the copy engine ends when it holds this many files or bytes.
// More files gain little once a flush costs less than their copying; the
// bytes bound the room that temporaries take beside their older copies.
struct CopyBatching {
    std::size_t files = 128;
    std::uint64_t bytes = std::uint64_t{16} << 20;
};

// CopyFolder: copies a folder tree in blocks of 1024 bytes into an existing
// destination folder, one file at a time, on the copy window's thread.
//
// Temporaries. Each file is written to a temporary file of its destination
// folder, named "~sk" + a number: the first number whose name is neither in
// the source folder's listing nor in the destination folder's, created with
// CREATE_NEW (on a collision the next number), and no longer than the few
// characters it needs, so that it fits wherever a short file name fits. When
// the walk enters a destination folder it lists it once: names of that
// pattern that the source folder does not have are temporaries of a run that
// was ended (Exit, logoff, a crash, an unplug) and are removed there, before
// any free space is looked at; the listing also tells which older copies are
// read-only, hidden or system and so are never replaced.
//
// Batches. An older copy is replaced only by a complete copy that a power cut
// can no longer take back, but that needs no flush per file: files are copied
// to their temporaries in a batch (at most batchFiles files and batchBytes
// bytes), the temporaries kept open; then the whole batch is made durable at
// once and only then moved into place, file by file. Durable means one flush
// of the destination volume (FlushFileBuffers on \.\E:, which flushes the
// volume's open files) where the system allows it; where it refuses (Wine),
// each temporary of the batch is flushed, still after the whole batch was
// written. Free space is asked once per batch and counted down by what the
// batch writes; when it does not suffice, or the disk is found full, the
// batch is put in place first (freeing the older copies it replaces), and
// only a file that still does not fit ends the run with "There is no space
// left.". Cancel, a full disk or an error in the middle of a batch put the
// batch's complete files in place as a file-by-file copy would have; a
// failure of the flush or the move leaves the older copy. The error count and
// CopiedCount end as with a file-by-file copy; a file counts as copied once
// it is in place. A destination volume that vanished (its root no longer
// known to the system) ends the run with "Please connect device.".
//
// Sizes. A source is open without write sharing while it is copied, so it
// cannot change: it is read to its first short block, and the size from its
// folder's listing only decides whether it fits. A file that grew since the
// listing beyond the room ends as a full disk does, with the older copy kept.
//
// Folders that are junctions or symbolic links are passed over (the file
// counter does the same), and so is the job's own destination folder when it
// lies inside the source. Window messages are processed about every
// kMessageInterval, also in the middle of a large file, so Pause and Cancel
// act within a block or two; the file path label and the progress bar are
// updated at the same cadence, with what is current then.
class CopyEngine {
  public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    using Batching = CopyBatching;

    static constexpr std::size_t kBlockSize = 1024;
    static constexpr std::chrono::milliseconds kMessageInterval{30};

    CopyEngine(platform::FileSystem& files, CopyRunState& run, CopyWindowPort& window,
               const std::atomic<std::int32_t>& totalFileCount,
               Clock clock = &std::chrono::steady_clock::now, Batching batching = {});

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
    Batching batching_;
};

} // namespace stowkeep::backup
