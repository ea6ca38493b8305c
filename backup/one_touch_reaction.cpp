#include "backup/one_touch_reaction.h"

namespace stowkeep::backup {

void ReactToBackupButton(BackupContext& context, const std::function<void()>& backupCommand) {
    if (context.state.BackupState != L"non") {
        return;
    }
    if (context.settings.ReadText(L"Auto", L"BackUp", L"off") == L"on") {
        backupCommand();
        return;
    }
    context.main1Click();
    context.pages.setActivePage(1);
}

} // namespace stowkeep::backup
