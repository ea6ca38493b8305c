#include "backup/file_count.h"

#include "backup/folder_name.h"
#include "backup/walk_filter.h"

#include <numeric>
#include <thread>

namespace stowkeep::backup {
namespace {

std::int32_t CountFilesPassingOver(platform::FileSystem& files, const std::wstring& folder,
                                   const std::wstring& ownDestinationKey) {
    std::wstring path = folder;
    if (path.empty() || path.back() != L'\\') {
        path += L'\\';
    }
    const auto entries = files.List(path);
    if (!entries) {
        return 0;
    }
    std::int32_t count = 0;
    for (const platform::FolderEntry& entry : *entries) {
        const std::wstring entryPath = path + entry.name;
        if (!entry.IsFolder()) {
            ++count;
        } else if (!PassesOver(entry, entryPath, ownDestinationKey)) {
            count += CountFilesPassingOver(files, entryPath, ownDestinationKey);
        }
    }
    return count;
}

} // namespace

std::int32_t CountFiles(platform::FileSystem& files, const std::wstring& folder,
                        const std::wstring& ownDestination) {
    return CountFilesPassingOver(files, folder, PathKey(ownDestination));
}

std::vector<CountedSource> ReadBackupSources(const settings::SettingsFile& settings) {
    const int count = settings.ReadInteger(L"BackupSource", L"num", 0);
    std::vector<CountedSource> sources;
    for (int k = 1; k <= count; ++k) {
        const std::wstring key = std::to_wstring(k);
        std::wstring source = settings.ReadText(L"BackupSource", key, L"");
        if (source.empty()) {
            break;
        }
        const std::wstring destination = settings.ReadText(L"BackupDestination", key, L"");
        std::wstring ownDestination = destination.empty() ? L"" : JobFolderOf(source, destination);
        sources.push_back({std::move(source), std::move(ownDestination)});
    }
    return sources;
}

TFileNumCheckThread::TFileNumCheckThread(platform::FileSystem& files,
                                         settings::SettingsFile settings,
                                         std::atomic<std::int32_t>& total)
    : files_(files), settings_(std::move(settings)), total_(total) {}

void TFileNumCheckThread::Execute() {
    const std::vector<CountedSource> sources = ReadBackupSources(settings_);
    total_.store(std::accumulate(sources.begin(), sources.end(), std::int32_t{0},
                                 [this](std::int32_t sum, const CountedSource& counted) {
                                     return sum + CountFiles(files_, counted.source,
                                                             counted.ownDestination);
                                 }));
}

void TFileNumCheckThread::Start(platform::FileSystem& files, settings::SettingsFile settings,
                                std::function<void()> finished) {
    std::thread([counter = TFileNumCheckThread(files, std::move(settings)),
                 finished = std::move(finished)]() mutable {
        counter.Execute();
        if (finished) {
            finished();
        }
    }).detach();
}

} // namespace stowkeep::backup
