#include "backup/backup_command.h"

#include "backup/backup_jobs.h"

namespace stowkeep::backup {
namespace {

constexpr std::chrono::milliseconds kHeadStart{1000};

} // namespace

BackupCommand::BackupCommand(BackupContext& context) : context_(context) {}

void BackupCommand::spSkinButton1Click() {
    MainState& state = context_.state;
    if (state.DeviceState == L"non" || state.DeviceState == L"over") {
        context_.messages.notice(state.DeviceState == L"non" ? L"Please connect device."
                                                             : L"Please connect only 1 device.");
        context_.mainWindow.close();
        return;
    }
    state.BackupState = L"loding";
    const std::wstring firstSource = context_.settings.ReadText(kSourceSection, L"1", L"");
    BringMainWindowToFront();
    if (firstSource.empty()) {
        state.BackupState = L"non";
        return;
    }
    context_.main1Click();
    context_.sleep(kHeadStart);
    context_.mainWindow.setEnabled(false);
    // The running window is held here too: replacing form2_ never ends a run's window.
    const auto form = std::make_shared<TForm2>(context_);
    form2_ = form;
    form->window().show();
    context_.sleep(kHeadStart);
    form->RunBackup();
}

// A window never shown since start-up becomes visible; one hidden in the
// notification area stays hidden; a shown one comes to the front.
void BackupCommand::BringMainWindowToFront() {
    ui::Window& window = context_.mainWindow;
    if (!window.everShown()) {
        window.show();
    }
    window.bringToFront();
}

} // namespace stowkeep::backup
