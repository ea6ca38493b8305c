#pragma once

#include "backup/backup_context.h"
#include "ui/buttons.h"
#include "ui/list_view.h"
#include "ui/text_controls.h"

#include <functional>
#include <string>

namespace stowkeep::backup {

inline constexpr wchar_t kSelectFolder[] = L"Select Folder";

// Page 1 of the main window: the list of backup jobs with its two folder
// fields, "Add", "Delete", "Backup" and "Main". Every change of the list is
// written to the settings file at once; the run and the file counter read the
// jobs from there, not from this list.
class BackupPage {
  public:
    // Builds the page's controls onto page. backupCommand is the Backup
    // command (spSkinButton1Click of the main window).
    BackupPage(ui::Page& page, BackupContext& context, std::function<void()> backupCommand);

    void LoadBackupJobs();
    void spSkinListView1Click();
    void spSkinButton3Click(); // Add
    void spSkinButton4Click(); // Delete

  private:
    bool Validate(const std::wstring& source, const std::wstring& destination);
    int RowOf(const std::wstring& source, const std::wstring& destination) const;
    bool MakeFirstBackupFolder(const std::wstring& destination);
    bool IsFixedDrive(const std::wstring& path);
    void ResetSource();
    void ResetDestination();

    BackupContext& context_;

  public:
    ui::ListView& spSkinListView1;
    ui::FolderEdit& JvDirectoryEdit1; // source
    // Destination; the device search also presets it to DeviceRoot + "backup".
    ui::FolderEdit& JvDirectoryEdit2;
    ui::Button& spSkinButton3; // "Add"
    ui::Button& spSkinButton4; // "Delete"
    ui::Button& spSkinButton1; // "Backup"
    ui::Button& spSkinButton2; // "Main"
};

} // namespace stowkeep::backup
