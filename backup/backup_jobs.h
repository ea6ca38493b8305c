#pragma once

#include "settings/settings_file.h"

#include <string>
#include <vector>

namespace stowkeep::backup {

// A source folder and a destination folder, exact texts compared case-sensitively.
struct BackupJob {
    std::wstring Source;
    std::wstring Destination;

    bool operator==(const BackupJob&) const = default;
};

inline constexpr wchar_t kSourceSection[] = L"BackupSource";
inline constexpr wchar_t kDestinationSection[] = L"BackupDestination";
inline constexpr wchar_t kCountKey[] = L"num";

// Jobs 1 .. num in stored order, stopping at the first job whose source or
// destination is empty.
std::vector<BackupJob> ReadBackupJobs(const settings::SettingsFile& settings);

// Stores job as number num+1. The keys are written before the count, so a
// refused write never leaves a count that names a missing job. False when a
// write was refused.
bool AppendBackupJob(const settings::SettingsFile& settings, const BackupJob& job);

// Removes stored job `index` (from 0): the jobs above move down one key and
// the count drops by one. Key num is left in place with empty values; readers
// stop at the count. False when a write was refused.
bool DeleteBackupJob(const settings::SettingsFile& settings, int index);

} // namespace stowkeep::backup
