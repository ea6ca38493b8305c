#include "backup/backup_jobs.h"

namespace stowkeep::backup {
namespace {

std::wstring Key(int number) {
    return std::to_wstring(number);
}

int StoredCount(const settings::SettingsFile& settings) {
    return settings.ReadInteger(kSourceSection, kCountKey, 0);
}

bool CopyJobKey(const settings::SettingsFile& settings, int from, int to) {
    for (const wchar_t* section : {kSourceSection, kDestinationSection}) {
        const std::wstring value = settings.ReadText(section, Key(from), L"");
        if (!settings.WriteText(section, Key(to), value)) {
            return false;
        }
    }
    return true;
}

} // namespace

std::vector<BackupJob> ReadBackupJobs(const settings::SettingsFile& settings) {
    std::vector<BackupJob> jobs;
    const int count = StoredCount(settings);
    for (int k = 1; k <= count; ++k) {
        BackupJob job{settings.ReadText(kSourceSection, Key(k), L""),
                      settings.ReadText(kDestinationSection, Key(k), L"")};
        if (job.Source.empty() || job.Destination.empty()) {
            break;
        }
        jobs.push_back(std::move(job));
    }
    return jobs;
}

bool AppendBackupJob(const settings::SettingsFile& settings, const BackupJob& job) {
    const int number = StoredCount(settings) + 1;
    return settings.WriteText(kSourceSection, Key(number), job.Source) &&
           settings.WriteText(kDestinationSection, Key(number), job.Destination) &&
           settings.WriteText(kSourceSection, kCountKey, Key(number));
}

bool DeleteBackupJob(const settings::SettingsFile& settings, int index) {
    const int count = StoredCount(settings);
    for (int i = index; i < count; ++i) {
        if (!CopyJobKey(settings, i + 2, i + 1)) {
            return false;
        }
    }
    return settings.WriteText(kSourceSection, kCountKey, Key(count - 1));
}

} // namespace stowkeep::backup
