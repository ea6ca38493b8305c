#pragma once

#include "backup/backup_context.h"

#include <functional>

namespace stowkeep::backup {

// What a press of the enclosure's button does, on the UI thread: nothing while
// a backup command is in progress; with "Automatic Backup" ("BackUp" of
// section "Auto") "on" the Backup command; otherwise the main window on the
// backup page. Testing BackupState here, on the UI thread, makes the test and
// the command's own "loding" one step.
void ReactToBackupButton(BackupContext& context, const std::function<void()>& backupCommand);

} // namespace stowkeep::backup
