#include "backup/copy_window.h"

#include "backup/backup_jobs.h"
#include "backup/folder_name.h"

namespace stowkeep::backup {
namespace {

constexpr wchar_t kCannotMakeBackupFolder[] = L"Cannot make folder.";
constexpr wchar_t kCannotMakeJobFolder[] = L"Can not make folder.";

std::wstring ErrorLine(int count) {
    return L"Error : " + std::to_wstring(count);
}

ui::WindowOptions CopyWindowOptions(const ui::Window& mainWindow) {
    ui::WindowOptions options;
    options.caption = L"Copying...";
    options.clientWidth = 576;
    options.clientHeight = 177;
    options.frame = ui::Frame::Dialog;
    options.centreOver = &mainWindow;
    return options;
}

} // namespace

TForm2::TForm2(BackupContext& context)
    : context_(context),
      window_(context.toolkit.createWindow("TForm2", CopyWindowOptions(context.mainWindow))),
      spSkinPanel1(window_->addPanel("spSkinPanel1", {24, 18, 529, 53}, true)),
      spSkinStdLabel1(spSkinPanel1.addLabel("spSkinStdLabel1", {16, 8, 497, 16}, L"File Path")),
      spSkinStdLabel2(spSkinPanel1.addLabel("spSkinStdLabel2", {16, 30, 497, 16}, L"Err")),
      spSkinStdLabel4(
          window_->addLabel("spSkinStdLabel4", {24, 77, kFilePathWidth, 16}, L"File Name")),
      JvXPProgressBar1(window_->addProgressBar("JvXPProgressBar1", {24, 103, 529, 17})),
      spSkinButton1(window_->addButton("spSkinButton1", {24, 133, 75, 25}, L"Cancel")),
      spSkinButton2(window_->addButton("spSkinButton2", {478, 133, 75, 25}, L"Pause")) {
    window_->onShow = [this] { FormShow(); };
    window_->onCloseQuery = [this] { return FormCloseQuery(); };
    window_->onClose = [this] { FormClose(); };
    spSkinButton1.onClick = [this] { spSkinButton1Click(); };
    spSkinButton2.onClick = [this] { spSkinButton2Click(); };
}

void TForm2::FormShow() {
    spSkinStdLabel1.setText({});
    spSkinStdLabel2.setText({});
    spSkinStdLabel4.setText({});
    context_.startFileCounter();
}

bool TForm2::FormCloseQuery() {
    SetCopyControl(kCopyCancel);
    return true;
}

void TForm2::FormClose() {
    context_.mainWindow.setEnabled(true);
    context_.mainWindow.minimise();
}

void TForm2::spSkinButton1Click() {
    SetCopyControl(kCopyCancel);
}

void TForm2::spSkinButton2Click() {
    SetCopyControl(run_.CopyControl == kCopyStart ? kCopyPause : kCopyStart);
}

void TForm2::RunBackup() {
    run_.ErrorCount = 0;
    SetErrorLine(ErrorLine(0));
    SetCopyControl(kCopyStart);
    if (!PrepareBackupFolder()) {
        EndWithMessage(kCannotMakeBackupFolder);
        return;
    }
    const std::vector<BackupJob> jobs = ReadBackupJobs(context_.settings);
    run_.CopiedCount = 0;
    SetProgress(0);
    CopyEngine engine(context_.files, run_, *this, context_.totalFileCount);
    for (const BackupJob& job : jobs) {
        const std::wstring folder = JobFolderOf(job.Source, job.Destination);
        if (platform::FolderExists(context_.files, folder)) {
            if (context_.messages.warn(kOverwriteQuestion) == ui::Answer::No) {
                break;
            }
        } else if (!context_.files.MakeFolder(folder)) {
            EndWithMessage(kCannotMakeJobFolder);
            return;
        }
        SetJobLine(job.Source, folder);
        if (!engine.CopyFolder(job.Source, folder)) {
            break;
        }
    }
    SetProgress(100);
    context_.state.BackupState = L"non";
    window_->close();
}

// DeviceRoot + "\backup": with a root such as E:\ the text is E:\\backup,
// which the file system reads as E:\backup.
bool TForm2::PrepareBackupFolder() {
    const std::wstring folder = context_.state.DeviceRoot + L"\\backup";
    return platform::FolderExists(context_.files, folder) || context_.files.MakeFolder(folder);
}

void TForm2::EndWithMessage(const wchar_t* message) {
    context_.messages.notice(message);
    context_.state.BackupState = L"non";
    window_->close();
}

void TForm2::SetCopyControl(const std::wstring& value) {
    run_.CopyControl = value;
    copyControlChanged_.set();
}

// A long source gives way in its middle, so that the destination stays readable.
void TForm2::SetJobLine(const std::wstring& source, const std::wstring& destination) {
    const std::wstring from = L"From : ";
    spSkinStdLabel1.setCompactText(from + source + L"  ----->  To: " + destination,
                                   {from.size(), from.size() + source.size()});
}

// A long path gives way before its last backslash, so that the file name stays readable.
void TForm2::SetFilePath(const std::wstring& path) {
    spSkinStdLabel4.setCompactText(path, {0, path.rfind(L'\\')});
}

void TForm2::SetErrorLine(const std::wstring& text) {
    spSkinStdLabel2.setText(text);
}

void TForm2::SetProgress(int position) {
    JvXPProgressBar1.setPosition(position);
}

void TForm2::ShowMessage(const std::wstring& text) {
    context_.messages.notice(text);
}

void TForm2::ProcessMessages() {
    context_.toolkit.dispatcher().processPendingMessages();
}

// Processes messages, without using a processor, until Pause or Cancel (or a
// close) changes CopyControl.
void TForm2::WaitForMessages() {
    copyControlChanged_.reset();
    if (run_.CopyControl != kCopyPause) {
        return;
    }
    context_.toolkit.dispatcher().waitUntil(copyControlChanged_);
}

} // namespace stowkeep::backup
