#include "backup/file_count.h"

#include <thread>

namespace stowkeep::backup {

std::int32_t CountFiles(platform::FileSystem& files, const std::wstring& folder) {
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
        if (!entry.IsFolder()) {
            ++count;
        } else if (!entry.IsReparsePoint()) {
            count += CountFiles(files, path + entry.name);
        }
    }
    return count;
}

std::vector<std::wstring> ReadBackupSources(const settings::SettingsFile& settings) {
    const int count = settings.ReadInteger(L"BackupSource", L"num", 0);
    std::vector<std::wstring> sources;
    for (int k = 1; k <= count; ++k) {
        std::wstring source = settings.ReadText(L"BackupSource", std::to_wstring(k), L"");
        if (source.empty()) {
            break;
        }
        sources.push_back(std::move(source));
    }
    return sources;
}

TFileNumCheckThread::TFileNumCheckThread(platform::FileSystem& files,
                                         settings::SettingsFile settings,
                                         std::atomic<std::int32_t>& total)
    : files_(files), settings_(std::move(settings)), total_(total) {}

void TFileNumCheckThread::Execute() {
    std::int32_t sum = 0;
    for (const std::wstring& source : ReadBackupSources(settings_)) {
        sum += CountFiles(files_, source);
    }
    total_.store(sum);
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
