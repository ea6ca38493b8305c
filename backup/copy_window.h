#pragma once

#include "backup/backup_context.h"
#include "backup/copy_engine.h"
#include "ui/buttons.h"
#include "ui/list_view.h"
#include "ui/panels.h"
#include "ui/signal.h"
#include "ui/text_controls.h"

#include <memory>
#include <string>

namespace stowkeep::backup {

inline constexpr wchar_t kOverwriteQuestion[] =
    L"If you want to overwrite, then click \"Yes\". Otherwise, click \"No\"";

// TForm2, the copy window ("Copying..."): shows the job being copied, the
// error count, the file being copied and the progress, and offers Cancel and
// Pause. A new one is made for every run; RunBackup copies the stored jobs and
// closes it.
class TForm2 : public CopyWindowPort {
  public:
    static constexpr int kFilePathWidth = 529;

    explicit TForm2(BackupContext& context);

    ui::Window& window() { return *window_; }
    const CopyRunState& run() const { return run_; }

    void RunBackup();

    // Events of the window and its buttons.
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void spSkinButton1Click(); // Cancel
    void spSkinButton2Click(); // Pause

    // What the copy engine shows and asks through the window.
    void SetFilePath(const std::wstring& path) override;
    void SetErrorLine(const std::wstring& text) override;
    void SetProgress(int position) override;
    void ShowMessage(const std::wstring& text) override;
    void ProcessMessages() override;
    void WaitForMessages() override;

  private:
    bool PrepareBackupFolder();
    void SetJobLine(const std::wstring& source, const std::wstring& destination);
    void EndWithMessage(const wchar_t* message);
    void SetCopyControl(const std::wstring& value);

    BackupContext& context_;
    CopyRunState run_;
    // Set whenever CopyControl changes, so a paused wait ends at once.
    ui::Signal copyControlChanged_;
    std::unique_ptr<ui::Window> window_;
    ui::Panel& spSkinPanel1;

  public:
    ui::Label& spSkinStdLabel1;        // job line
    ui::Label& spSkinStdLabel2;        // error line
    ui::Label& spSkinStdLabel4;        // file being copied
    ui::ProgressBar& JvXPProgressBar1; // 0 .. 100
    ui::Button& spSkinButton1;         // "Cancel"
    ui::Button& spSkinButton2;         // "Pause"
};

} // namespace stowkeep::backup
