#include "settings/options_page.h"

namespace stowkeep::settings {
namespace {

// A captioned box for the two choices of one option, side by side.
ui::GroupBox& OptionBox(ui::Container& page, std::string name, int top, std::wstring caption) {
    return page.addGroupBox(std::move(name), {40, top, 451, 64}, std::move(caption));
}

ui::RadioButton& Choice(ui::GroupBox& box, std::string name, int left, std::wstring text) {
    return box.addRadioButton(std::move(name), {left, 28, 160, 22}, std::move(text));
}

} // namespace

OptionsPage::OptionsPage(ui::Container& page, OptionsPageServices services)
    : AutomaticBackupBox(OptionBox(page, "AutomaticBackupBox", 24, L"Automatic Backup")),
      AutorunBox(OptionBox(page, "AutorunBox", 104, L"Windows start auto run")),
      CreateOptionBox(OptionBox(page, "CreateOptionBox", 184, L"Virtual HDD file create option")),
      spSkinCheckRadioBox1(Choice(AutomaticBackupBox, "spSkinCheckRadioBox1", 40, L"ON")),
      spSkinCheckRadioBox2(Choice(AutomaticBackupBox, "spSkinCheckRadioBox2", 240, L"OFF")),
      spSkinCheckRadioBox3(Choice(AutorunBox, "spSkinCheckRadioBox3", 40, L"ON")),
      spSkinCheckRadioBox4(Choice(AutorunBox, "spSkinCheckRadioBox4", 240, L"OFF")),
      spSkinCheckRadioBox8(Choice(CreateOptionBox, "spSkinCheckRadioBox8", 40, L"Fast")),
      spSkinCheckRadioBox9(
          Choice(CreateOptionBox, "spSkinCheckRadioBox9", 240, L"Slow (Zero fill)")),
      spSkinButton9(page.addButton("spSkinButton9", {320, 300, 80, 27}, L"OK")),
      spSkinButton10(page.addButton("spSkinButton10", {411, 300, 80, 27}, L"Cancel")),
      services_(std::move(services)) {
    spSkinButton9.onClick = [this] { spSkinButton9Click(); };
    spSkinButton10.onClick = [this] { spSkinButton10Click(); };
}

} // namespace stowkeep::settings
