#pragma once

#include "settings/autorun.h"
#include "settings/settings_file.h"
#include "ui/ui.h"

#include <functional>

namespace stowkeep::settings {

// What the Options page works with; all owned by the main window.
struct OptionsPageServices {
    const SettingsFile& settings;
    const Autorun& autorun;
    ui::MessageDialog& messages;
    std::function<void(int)> goToPage;
};

// Page 3 of the main window: the three options as pairs of radio buttons, stored on OK.
class OptionsPage {
  public:
    // Builds the page's controls onto page; the selection is empty until LoadOptionsPage.
    OptionsPage(ui::Container& page, OptionsPageServices services);

    void LoadOptionsPage();     // shows the stored options
    void spSkinButton9Click();  // OK
    void spSkinButton10Click(); // Cancel

    ui::GroupBox& AutomaticBackupBox;
    ui::GroupBox& AutorunBox;
    ui::GroupBox& CreateOptionBox;
    ui::RadioButton& spSkinCheckRadioBox1; // Automatic Backup ON
    ui::RadioButton& spSkinCheckRadioBox2; // Automatic Backup OFF
    ui::RadioButton& spSkinCheckRadioBox3; // Windows start auto run ON
    ui::RadioButton& spSkinCheckRadioBox4; // Windows start auto run OFF
    ui::RadioButton& spSkinCheckRadioBox8; // Fast
    ui::RadioButton& spSkinCheckRadioBox9; // Slow (Zero fill)
    ui::Button& spSkinButton9;
    ui::Button& spSkinButton10;

  private:
    bool StoreSelection();

    OptionsPageServices services_;
};

} // namespace stowkeep::settings
