#include "platform/fake/fake_profile_files.h"
#include "platform/fake/fake_user_registry.h"
#include "settings/options_page.h"
#include "ui/headless/headless_toolkit.h"

#include <gtest/gtest.h>

namespace stowkeep::settings {
namespace {

const std::wstring kFolder = L"C:\\Tools\\Device";
const std::wstring kIni = kFolder + L"\\set.ini";

class OptionsPageTest : public testing::Test {
  protected:
    OptionsPageTest() {
        profile.AddFolder(kFolder);
        registry.AddKey(kRunKeyPath);
    }

    // The page's six choices as the user sees them: which button of each pair is selected.
    std::vector<std::wstring> Shown() const {
        return {Selected(page.spSkinCheckRadioBox1, page.spSkinCheckRadioBox2),
                Selected(page.spSkinCheckRadioBox3, page.spSkinCheckRadioBox4),
                Selected(page.spSkinCheckRadioBox8, page.spSkinCheckRadioBox9)};
    }
    static std::wstring Selected(const ui::RadioButton& first, const ui::RadioButton& second) {
        if (first.checked() == second.checked()) {
            return L"both or none";
        }
        return first.checked() ? first.text() : second.text();
    }
    std::wstring Stored(const wchar_t* section, const wchar_t* key) const {
        return file.ReadText(section, key, L"<absent>");
    }
    std::optional<std::wstring> RunValue() const {
        return registry.ReadString(kRunKeyPath, kAutorunValueName);
    }

    ui::HeadlessToolkit toolkit;
    std::unique_ptr<ui::Window> window = toolkit.createWindow("TForm1", {L"Stowkeep", 531, 363});
    std::unique_ptr<ui::MessageDialog> messages =
        toolkit.createMessageDialog(window.get(), L"Stowkeep (KD-RX710)");
    platform::fake::FakeProfileFiles profile;
    platform::fake::FakeUserRegistry registry;
    SettingsFile file{profile, kIni};
    Autorun autorun{registry, kFolder + L"\\"};
    std::vector<int> pages;
    OptionsPage page{*window, {file, autorun, *messages, [this](int p) { pages.push_back(p); }}};
};

TEST_F(OptionsPageTest, WithoutSettingsFileShowsOffOffAndSlow) {
    page.LoadOptionsPage();
    EXPECT_EQ(Shown(), (std::vector<std::wstring>{L"OFF", L"OFF", L"Slow (Zero fill)"}));
    EXPECT_FALSE(profile.FileText(kIni));
}

TEST_F(OptionsPageTest, ShowsOnlyExactStoredValuesAsOnAndFast) {
    struct Case {
        const wchar_t* backup;
        const wchar_t* run;
        const wchar_t* option;
        std::vector<std::wstring> shown;
    };
    const Case cases[] = {
        {L"on", L"on", L"Fast", {L"ON", L"ON", L"Fast"}},
        {L"On", L"ON", L"fast", {L"OFF", L"OFF", L"Slow (Zero fill)"}},
        {L"off", L"yes", L"Slow", {L"OFF", L"OFF", L"Slow (Zero fill)"}},
    };
    for (const Case& c : cases) {
        profile.PutFile(kIni, std::wstring(L"[Auto]\nBackUp=") + c.backup + L"\nRun=" + c.run +
                                  L"\n[Virtual_HDD]\nOption=" + c.option + L"\n");
        page.LoadOptionsPage();
        EXPECT_EQ(Shown(), c.shown) << c.backup << " " << c.run << " " << c.option;
    }
}

TEST_F(OptionsPageTest, OkWritesAllThreeKeysAndTheAutorunValue) {
    page.LoadOptionsPage();
    page.spSkinCheckRadioBox1.click();
    page.spSkinCheckRadioBox3.click();
    page.spSkinCheckRadioBox8.click();
    page.spSkinButton9.click();

    EXPECT_EQ(Stored(L"Auto", L"BackUp"), L"on");
    EXPECT_EQ(Stored(L"Auto", L"Run"), L"on");
    EXPECT_EQ(Stored(L"Virtual_HDD", L"Option"), L"Fast");
    EXPECT_EQ(RunValue(), L"C:\\Tools\\Device\\Startshim.exe");
    EXPECT_EQ(toolkit.messages().texts(), std::vector<std::wstring>{L"Setting is completed."});
    EXPECT_EQ(pages, std::vector<int>{0});

    page.spSkinCheckRadioBox2.click();
    page.spSkinCheckRadioBox4.click();
    page.spSkinCheckRadioBox9.click();
    page.spSkinButton9.click();
    EXPECT_EQ(Stored(L"Auto", L"BackUp"), L"off");
    EXPECT_EQ(Stored(L"Auto", L"Run"), L"off");
    EXPECT_EQ(Stored(L"Virtual_HDD", L"Option"), L"Slow");
    EXPECT_EQ(RunValue(), std::nullopt);
}

TEST_F(OptionsPageTest, OkWithNothingChangedStillWritesEveryKey) {
    page.LoadOptionsPage();
    page.spSkinButton9.click();
    EXPECT_EQ(Stored(L"Auto", L"BackUp"), L"off");
    EXPECT_EQ(Stored(L"Auto", L"Run"), L"off");
    EXPECT_EQ(Stored(L"Virtual_HDD", L"Option"), L"Slow");
    EXPECT_EQ(toolkit.messages().texts(), std::vector<std::wstring>{L"Setting is completed."});
}

TEST_F(OptionsPageTest, CancelDiscardsTheSelectionAndWritesNothing) {
    profile.PutFile(kIni, L"[Auto]\nBackUp=on\n");
    page.LoadOptionsPage();
    page.spSkinCheckRadioBox2.click();
    page.spSkinCheckRadioBox3.click();
    page.spSkinCheckRadioBox8.click();
    page.spSkinButton10.click();

    EXPECT_EQ(Shown(), (std::vector<std::wstring>{L"ON", L"OFF", L"Slow (Zero fill)"}));
    EXPECT_EQ(profile.FileText(kIni), L"[Auto]\nBackUp=on\n");
    EXPECT_EQ(RunValue(), std::nullopt);
    EXPECT_TRUE(toolkit.messages().texts().empty());
    EXPECT_EQ(pages, std::vector<int>{0});
}

TEST_F(OptionsPageTest, RefusedWriteStopsOkWithItsErrorAndStaysOnThePage) {
    profile.PutFile(kIni, L"");
    profile.SetReadOnly(kIni, true);
    page.LoadOptionsPage();
    page.spSkinCheckRadioBox3.click();
    page.spSkinButton9.click();

    ASSERT_EQ(toolkit.messages().shown().size(), 1u);
    EXPECT_EQ(toolkit.messages().shown()[0].text, L"Unable to write to " + kIni);
    EXPECT_EQ(toolkit.messages().shown()[0].kind, ui::MessageKind::Error);
    EXPECT_TRUE(pages.empty());
}

TEST_F(OptionsPageTest, RefusedAutorunValueStopsOkBeforeAnyKeyIsWritten) {
    registry.SetRefusesWrites(kRunKeyPath, true);
    page.LoadOptionsPage();
    page.spSkinCheckRadioBox1.click();
    page.spSkinCheckRadioBox3.click();
    page.spSkinButton9.click();

    EXPECT_EQ(toolkit.messages().texts(),
              std::vector<std::wstring>{L"Failed to set data for 'Stowkeep'"});
    EXPECT_FALSE(profile.FileText(kIni));
    EXPECT_TRUE(pages.empty());
}

} // namespace
} // namespace stowkeep::settings
