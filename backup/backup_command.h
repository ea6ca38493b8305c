#pragma once

#include "backup/backup_context.h"
#include "backup/copy_window.h"

#include <memory>

namespace stowkeep::backup {

// The Backup command of the main window (spSkinButton1Click): started by the
// "Backup" button and by the one-touch watcher. It checks the device state,
// brings the main window forward, disables it and runs a backup in a new copy
// window, giving the file counter a head start of two seconds.
class BackupCommand {
  public:
    explicit BackupCommand(BackupContext& context);

    void spSkinButton1Click();

    // The copy window of the latest run (closed once the run has ended), or
    // null before the first run.
    TForm2* copyWindow() { return form2_.get(); }

  private:
    void BringMainWindowToFront();

    BackupContext& context_;
    std::shared_ptr<TForm2> form2_;
};

} // namespace stowkeep::backup
