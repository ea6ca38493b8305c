#pragma once

// One CopyFolder call over a whole tree: the walk's state and steps.

#include "backup/copy_engine.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

namespace stowkeep::backup {

class CopyEngine::Walk {
  public:
    // copied and failed go on with the next entry; the others end the run.
    // full: not room enough while a batch waits to be put in place.
    // no_space and vanished end it with their message, shown by Finish.
    enum class Outcome { copied, failed, stop, full, no_space, vanished };

    Walk(CopyEngine& engine, const std::wstring& ownDestination);
    // A batch still pending (an exception, an abandoned walk) is dropped:
    // its temporaries closed and removed, the older copies left as they are.
    ~Walk();
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

    // destinationIsNew: made by this walk just now, so empty.
    Outcome Folder(std::wstring source, std::wstring destination, bool destinationIsNew);
    // Puts the pending batch in place, shows the current path and progress
    // and the run's closing message; false when the run must stop.
    bool Finish(Outcome outcome);

    void CountError();

  private:
    class Temporary;
    struct Pending;

    // What the walk knows of one folder pair.
    struct FolderNames {
        std::set<std::wstring> source;                     // upper case
        std::map<std::wstring, std::uint32_t> destination; // upper case -> attributes
        bool destinationListed = false;
        unsigned nextTemporary = 1;
    };

    FolderNames NamesOf(const std::vector<platform::FolderEntry>& sourceEntries,
                        const std::wstring& destination, bool destinationIsNew);
    Outcome CopyFileMakingRoom(FolderNames& names, const std::wstring& source,
                               const std::wstring& destinationFolder,
                               const platform::FolderEntry& entry);
    Outcome CopyFile(FolderNames& names, const std::wstring& source,
                     const std::wstring& destinationFolder, const platform::FolderEntry& entry);
    // Copies to the end of the source; copied gets the bytes written.
    Outcome CopyBlocks(platform::File& source, platform::File& target, std::uint64_t& copied);
    Outcome CopySubfolder(FolderNames& names, const std::wstring& source,
                          const std::wstring& destination, const platform::FolderEntry& entry);
    Outcome Room(const std::wstring& destinationFolder, std::uint64_t size);
    bool Replaceable(const FolderNames& names, const std::wstring& target,
                     const std::wstring& name);
    std::unique_ptr<Temporary> CreateTemporary(FolderNames& names, const std::wstring& folder,
                                               platform::FileError& error);
    // A write, flush, move or creation on the destination failed: vanished
    // when the destination volume is gone, otherwise one error counted.
    Outcome DestinationFailure();
    bool DestinationGone();

    // The batch: made durable at once, then moved into place in order.
    Outcome AddToBatch(std::unique_ptr<Temporary> temporary, std::wstring target,
                       std::uint64_t size);
    Outcome CommitBatch();
    Outcome MakeBatchDurable(std::size_t& durableCount);

    // Waits while paused; true when the run is cancelled.
    bool Cancelled();
    // Processes window messages when kMessageInterval has passed since the last time.
    void ProcessMessagesWhenDue();
    void ProcessMessagesNow();
    // The file path label and the progress bar, where they changed.
    void ShowCurrent();
    int Progress() const;

    CopyEngine& engine_;
    std::wstring ownDestinationKey_;
    std::wstring destinationRoot_; // "E:\"
    std::optional<std::chrono::steady_clock::time_point> lastMessages_;
    std::wstring currentPath_;
    std::wstring shownPath_;
    int shownCopied_;
    std::vector<Pending> batch_;
    std::uint64_t batchBytes_ = 0;
    std::optional<std::uint64_t> freeEstimate_; // since the last query, less what was written
    bool volumeFlushRefused_ = false;
    std::array<char, kBlockSize> block_{};
};

// The name of the number-th temporary file ("~sk" + number) and whether a
// name is of that pattern.
std::wstring TemporaryName(unsigned number);
bool IsTemporaryName(const std::wstring& name);

} // namespace stowkeep::backup

namespace stowkeep::backup {

// A file being written under its temporary name. Removed when it goes out
// of scope before it was moved into place.
class CopyEngine::Walk::Temporary {
  public:
    Temporary(platform::FileSystem& files, std::wstring path, platform::FileHandle file)
        : files_(files), path_(std::move(path)), file_(std::move(file)) {}
    Temporary(const Temporary&) = delete;
    Temporary& operator=(const Temporary&) = delete;
    ~Temporary() {
        if (!placed_) {
            file_.reset();
            files_.Remove(path_);
        }
    }

    platform::File& File() { return *file_; }

    // Closes the file and puts it in place of target.
    bool MoveTo(const std::wstring& target) {
        file_.reset();
        placed_ = files_.MoveReplacing(path_, target);
        return placed_;
    }

  private:
    platform::FileSystem& files_;
    std::wstring path_;
    platform::FileHandle file_;
    bool placed_ = false;
};

struct CopyEngine::Walk::Pending {
    std::unique_ptr<Temporary> temporary;
    std::wstring target;
    bool durable = false;
};

} // namespace stowkeep::backup
