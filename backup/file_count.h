#pragma once

#include "platform/files.h"
#include "settings/settings_file.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace stowkeep::backup {

// The number of files in all stored backup sources: 0 at program start,
// overwritten at the end of every count, read by the copy engine.
inline std::atomic<std::int32_t> TotalFileCount{0};

// The number of files in a folder and all its subfolders, counted as the copy
// engine walks them: junction and symbolic-link folders are passed over, and
// so is ownDestination, the folder the job copies into, when it lies inside.
// 0 when the folder cannot be listed.
std::int32_t CountFiles(platform::FileSystem& files, const std::wstring& folder,
                        const std::wstring& ownDestination = {});

// One stored source and the folder its job copies into (empty when the job
// has no destination).
struct CountedSource {
    std::wstring source;
    std::wstring ownDestination;

    bool operator==(const CountedSource&) const = default;
};

// The stored backup sources: num of BackupSource, then source 1 .. num,
// stopping at the first empty one, each with its job's folder.
std::vector<CountedSource> ReadBackupSources(const settings::SettingsFile& settings);

// The file counter: counts every stored source and stores the sum into the
// total, once, at its end.
class TFileNumCheckThread {
  public:
    TFileNumCheckThread(platform::FileSystem& files, settings::SettingsFile settings,
                        std::atomic<std::int32_t>& total = TotalFileCount);

    // The thread body.
    void Execute();

    // Starts the body on a thread of its own and leaves it to itself; the
    // file system must live as long as the program. finished, when given,
    // is called on that thread after the store.
    static void Start(platform::FileSystem& files, settings::SettingsFile settings,
                      std::function<void()> finished = {});

  private:
    platform::FileSystem& files_;
    settings::SettingsFile settings_;
    std::atomic<std::int32_t>& total_;
};

} // namespace stowkeep::backup
