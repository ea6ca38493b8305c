#include "backup/backup_page.h"

#include "backup/backup_jobs.h"

namespace stowkeep::backup {
namespace {

constexpr wchar_t kSelectPath[] = L"Please select path to backup.";
constexpr wchar_t kNotLocal[] = L"Please select folder in Local disk.";
constexpr wchar_t kNotDevice[] = L"KD-RX710 is not a directory.";
constexpr wchar_t kSame[] = L"The source directory and destination directory are the same.";
constexpr wchar_t kListed[] = L"It is already in source directory.";

constexpr int kColumnWidth = 220;

std::wstring DriveOf(const std::wstring& path) {
    return path.substr(0, 3);
}

} // namespace

BackupPage::BackupPage(ui::Page& page, BackupContext& context, std::function<void()> backupCommand)
    : context_(context),
      spSkinListView1(page.addListView(
          "spSkinListView1", {16, 16, 499, 168},
          {{L"Source Directory", kColumnWidth}, {L"Destination Directory", kColumnWidth}})),
      JvDirectoryEdit1(page.addFolderEdit("JvDirectoryEdit1", {164, 198, 351, 23}, kSelectFolder)),
      JvDirectoryEdit2(page.addFolderEdit("JvDirectoryEdit2", {164, 232, 351, 23}, kSelectFolder)),
      spSkinButton3(page.addButton("spSkinButton3", {359, 270, 75, 27}, L"Add")),
      spSkinButton4(page.addButton("spSkinButton4", {440, 270, 75, 27}, L"Delete")),
      spSkinButton1(page.addButton("spSkinButton1", {16, 318, 75, 27}, L"Backup")),
      spSkinButton2(page.addButton("spSkinButton2", {440, 318, 75, 27}, L"Main")) {
    page.addLabel("Label1", {16, 202, 140, 16}, L"Source Directory");
    page.addLabel("Label2", {16, 236, 140, 16}, L"Destination Directory");
    spSkinListView1.onClick = [this] { spSkinListView1Click(); };
    spSkinButton3.onClick = [this] { spSkinButton3Click(); };
    spSkinButton4.onClick = [this] { spSkinButton4Click(); };
    spSkinButton1.onClick = std::move(backupCommand);
    spSkinButton2.onClick = [this] { context_.pages.setActivePage(0); };
}

void BackupPage::LoadBackupJobs() {
    for (const BackupJob& job : ReadBackupJobs(context_.settings)) {
        spSkinListView1.addRow(job.Source, {job.Destination});
    }
}

void BackupPage::spSkinListView1Click() {
    const int row = spSkinListView1.selectedRow();
    if (row < 0 || spSkinListView1.rowCount() == 0) {
        return;
    }
    JvDirectoryEdit1.setText(spSkinListView1.cell(row, 0));
    JvDirectoryEdit2.setText(spSkinListView1.cell(row, 1));
}

void BackupPage::spSkinButton3Click() {
    const BackupJob job{JvDirectoryEdit1.text(), JvDirectoryEdit2.text()};
    if (!Validate(job.Source, job.Destination)) {
        return;
    }
    // The row is shown only once the job is stored, so the list never shows a
    // job that the run would not find.
    if (!AppendBackupJob(context_.settings, job)) {
        context_.messages.error(context_.settings.WriteErrorText());
        return;
    }
    spSkinListView1.addRow(job.Source, {job.Destination});
    ResetSource();
    ResetDestination();
}

void BackupPage::spSkinButton4Click() {
    const std::wstring source = JvDirectoryEdit1.text();
    const std::wstring destination = JvDirectoryEdit2.text();
    if (source == kSelectFolder || destination == kSelectFolder) {
        return;
    }
    if (const int row = RowOf(source, destination); row >= 0) {
        if (!DeleteBackupJob(context_.settings, row)) {
            context_.messages.error(context_.settings.WriteErrorText());
            return;
        }
        spSkinListView1.deleteRow(row);
    }
    ResetSource();
    ResetDestination();
}

// The checks run in order; the first that fails shows its message and resets.
bool BackupPage::Validate(const std::wstring& source, const std::wstring& destination) {
    struct Check {
        std::function<bool()> passes;
        const wchar_t* message;
        bool resetSource;
        bool resetDestination;
    };
    auto& files = context_.files;
    const Check checks[] = {
        {[&] { return !source.empty(); }, kSelectPath, true, false},
        {[&] { return platform::FolderExists(files, source); }, kSelectPath, true, false},
        {[&] { return !destination.empty(); }, kSelectPath, false, true},
        {[&] {
             return platform::FolderExists(files, destination) ||
                    MakeFirstBackupFolder(destination);
         },
         kSelectPath, false, true},
        {[&] { return IsFixedDrive(source); }, kNotLocal, true, false},
        {[&] { return IsFixedDrive(destination); }, kNotLocal, false, true},
        {[&] { return DriveOf(destination) == context_.state.DeviceRoot; }, kNotDevice, false,
         true},
        {[&] { return source != destination; }, kSame, true, true},
        {[&] { return RowOf(source, destination) < 0; }, kListed, true, true},
    };
    for (const Check& check : checks) {
        if (check.passes()) {
            continue;
        }
        context_.messages.notice(check.message);
        if (check.resetSource) {
            ResetSource();
        }
        if (check.resetDestination) {
            ResetDestination();
        }
        return false;
    }
    return true;
}

// The first row, from the top, with this caption and first sub-item; -1 when none.
int BackupPage::RowOf(const std::wstring& source, const std::wstring& destination) const {
    for (int row = 0; row < spSkinListView1.rowCount(); ++row) {
        if (spSkinListView1.cell(row, 0) == source && spSkinListView1.cell(row, 1) == destination) {
            return row;
        }
    }
    return -1;
}

// The preset destination names the enclosure's backup folder, which the first
// run would create: a new enclosure has none yet, and the first job must not
// be refused for that.
bool BackupPage::MakeFirstBackupFolder(const std::wstring& destination) {
    const std::wstring& root = context_.state.DeviceRoot;
    return !root.empty() && destination == root + L"backup" &&
           context_.files.MakeFolder(destination);
}

bool BackupPage::IsFixedDrive(const std::wstring& path) {
    return context_.files.DriveKind(DriveOf(path)) == platform::DriveType::fixed;
}

void BackupPage::ResetSource() {
    JvDirectoryEdit1.setText(kSelectFolder);
}

void BackupPage::ResetDestination() {
    const std::wstring& root = context_.state.DeviceRoot;
    JvDirectoryEdit2.setText(root.empty() ? std::wstring(kSelectFolder) : root + L"backup");
}

} // namespace stowkeep::backup
