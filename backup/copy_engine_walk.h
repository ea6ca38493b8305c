#pragma once

// One CopyFolder call over a whole tree: the walk's state and steps.

#include "backup/copy_engine.h"

#include <optional>

namespace stowkeep::backup {

class CopyEngine::Walk {
  public:
    Walk(CopyEngine& engine, const std::wstring& ownDestination);

    // False when the run must stop.
    bool Folder(std::wstring source, std::wstring destination);

    void CountError();

  private:
    // no_space: the run stops with its message, shown once the file's handles
    // are closed and its temporary file is gone.
    enum class Outcome { copied, failed, stop, no_space };

    Outcome CopyFile(const std::wstring& source, const std::wstring& destinationFolder,
                     const std::wstring& name);
    Outcome CopyBlocks(platform::File& source, platform::File& target, std::uint64_t size);
    Outcome CopySubfolder(const std::wstring& source, const std::wstring& destination,
                          const platform::FolderEntry& entry);
    bool HasRoomFor(const std::wstring& destinationFolder, std::uint64_t size);

    // Waits while paused; true when the run is cancelled.
    bool Cancelled();
    // Processes window messages when kMessageInterval has passed since the last time.
    void ProcessMessagesWhenDue();
    void ProcessMessagesNow();
    int Progress() const;

    CopyEngine& engine_;
    std::wstring ownDestinationKey_;
    std::optional<std::chrono::steady_clock::time_point> lastMessages_;
};

// The name of the temporary file a file named name is written to before it
// replaces its older copy.
std::wstring TemporaryNameFor(const std::wstring& name);

// Two paths compared as the file system does: case ignored, doubled and
// trailing backslashes ignored.
std::wstring PathKey(const std::wstring& path);

} // namespace stowkeep::backup
