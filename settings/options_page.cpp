#include "settings/options_page.h"

namespace stowkeep::settings {

void OptionsPage::LoadOptionsPage() {
    const SettingsFile& file = services_.settings;
    const bool backup = file.ReadText(L"Auto", L"BackUp", L"off") == L"on";
    const bool run = file.ReadText(L"Auto", L"Run", L"off") == L"on";
    const bool fast = file.ReadText(L"Virtual_HDD", L"Option", L"Slow") == L"Fast";
    (backup ? spSkinCheckRadioBox1 : spSkinCheckRadioBox2).setChecked(true);
    (run ? spSkinCheckRadioBox3 : spSkinCheckRadioBox4).setChecked(true);
    (fast ? spSkinCheckRadioBox8 : spSkinCheckRadioBox9).setChecked(true);
}

// The autorun value first, then the three keys; the first refusal stops the rest and
// tells the user why.
bool OptionsPage::StoreSelection() {
    const bool run = spSkinCheckRadioBox3.checked();
    if (run && !services_.autorun.Set()) {
        services_.messages.error(services_.autorun.SetErrorText());
        return false;
    }
    if (!run) {
        services_.autorun.Clear();
    }
    const SettingsFile& file = services_.settings;
    const bool written =
        file.WriteText(L"Auto", L"BackUp", spSkinCheckRadioBox1.checked() ? L"on" : L"off") &&
        file.WriteText(L"Auto", L"Run", run ? L"on" : L"off") &&
        file.WriteText(L"Virtual_HDD", L"Option",
                       spSkinCheckRadioBox8.checked() ? L"Fast" : L"Slow");
    if (!written) {
        services_.messages.error(file.WriteErrorText());
    }
    return written;
}

void OptionsPage::spSkinButton9Click() {
    if (!StoreSelection()) {
        return;
    }
    services_.messages.notice(L"Setting is completed.");
    services_.goToPage(0);
}

void OptionsPage::spSkinButton10Click() {
    LoadOptionsPage();
    services_.goToPage(0);
}

} // namespace stowkeep::settings
