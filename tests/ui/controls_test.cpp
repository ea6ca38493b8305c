#include "ui/headless/headless_toolkit.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

namespace stowkeep::ui {
namespace {

class ControlsTest : public ::testing::Test {
  protected:
    HeadlessToolkit toolkit;
    std::unique_ptr<Window> form = toolkit.createWindow("Form1", {L"Form", 400, 300});
};

TEST_F(ControlsTest, RadioButtonsOfOneContainerAreExclusiveAndOtherGroupsStay) {
    auto& backup = form->addGroupBox("GroupBox1", {0, 0, 200, 60}, L"Automatic Backup");
    auto& on = backup.addRadioButton("Radio1", {8, 20, 60, 20}, L"ON");
    auto& off = backup.addRadioButton("Radio2", {80, 20, 60, 20}, L"OFF");
    auto& run = form->addGroupBox("GroupBox2", {0, 70, 200, 60}, L"Windows start auto run");
    auto& runOn = run.addRadioButton("Radio3", {8, 20, 60, 20}, L"ON");
    int clicks = 0;
    on.onClick = [&] { ++clicks; };

    runOn.setChecked(true);
    on.click();
    EXPECT_TRUE(on.checked());
    EXPECT_EQ(clicks, 1);
    off.setChecked(true);
    EXPECT_FALSE(on.checked());
    EXPECT_TRUE(off.checked());
    EXPECT_EQ(clicks, 1) << "setting from the program raises no click";
    EXPECT_TRUE(runOn.checked()) << "another group box is another group";

    on.setEnabled(false);
    on.click();
    EXPECT_TRUE(off.checked()) << "a disabled radio button ignores clicks";
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlsTest, ControlsAreFoundByNameAtAnyDepthAndOfTheirKind) {
    auto& pages = form->addPageControl("PageControl1", {0, 0, 400, 300});
    auto& page = pages.addPage("TabSheet1");
    auto& box = page.addGroupBox("GroupBox1", {0, 0, 100, 100}, L"Disk Type");
    box.addRadioButton("Radio5", {0, 0, 10, 10}, L"Floppy Disk");

    EXPECT_EQ(form->find<RadioButton>("Radio5")->text(), L"Floppy Disk");
    EXPECT_EQ(form->find<Button>("Radio5"), nullptr);
    EXPECT_EQ(form->findControl("Missing"), nullptr);
    EXPECT_THROW(form->get<Label>("GroupBox1"), std::out_of_range);
    EXPECT_EQ(form->get<RadioButton>("Radio5").window(), form.get());
}

TEST_F(ControlsTest, ListViewRowsCellsSelectionAndClicks) {
    auto& list = form->addListView("ListView1", {0, 0, 300, 200},
                                   {{L"Source Directory", 220}, {L"Destination Directory", 220}});
    int clicks = 0;
    list.onClick = [&] { ++clicks; };
    list.addRow(L"C:\\Data");
    list.setCell(0, 1, L"E:\\backup");
    list.addRow(L"C:\\Work", {L"E:\\other"});
    list.addRow(L"C:\\Mail", {L"E:\\mail"});

    EXPECT_EQ(list.rowCount(), 3);
    EXPECT_EQ(list.cell(0, 1), L"E:\\backup");
    EXPECT_EQ(list.caption(2), L"C:\\Mail");
    EXPECT_EQ(list.cell(5, 0), L"") << "outside the list";

    list.clickRow(2);
    EXPECT_EQ(list.selectedRow(), 2);
    list.deleteRow(0);
    EXPECT_EQ(list.selectedRow(), 1) << "the selection follows its row";
    EXPECT_EQ(list.caption(1), L"C:\\Mail");
    list.deleteRow(1);
    EXPECT_EQ(list.selectedRow(), -1);

    list.clickRow(0);
    list.clickRow(-1);
    EXPECT_EQ(list.selectedRow(), -1) << "a click on empty space selects nothing";
    EXPECT_EQ(clicks, 3);
    list.clear();
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(list.selectedRow(), -1);
}

TEST_F(ControlsTest, PageControlShowsOnlyTheActivePage) {
    auto& pages = form->addPageControl("PageControl1", {0, 0, 400, 300});
    for (auto* name : {"Main", "Backup", "Image"})
        pages.addPage(name);
    EXPECT_EQ(pages.activePage(), 0);
    pages.setActivePage(2);
    pages.setActivePage(7);
    EXPECT_EQ(pages.activePage(), 2);
    EXPECT_FALSE(pages.page(0).visible());
    EXPECT_TRUE(pages.page(2).visible());
    EXPECT_EQ(pages.page(1).bounds(), (Rect{0, 0, 400, 300}));
}

TEST_F(ControlsTest, PictureButtonPairsEnterWithLeaveAndIsSilentWhenDisabled) {
    auto& button = form->addPictureButton("Image16", {54, 85, 100, 79}, L"Backup",
                                          toolkit.pictures().get(picture_names::BackupNormal));
    std::vector<std::string> events;
    button.onMouseEnter = [&] { events.push_back("enter"); };
    button.onMouseLeave = [&] { events.push_back("leave"); };
    button.onMouseDown = [&] { events.push_back("down"); };
    button.onClick = [&] { events.push_back("click"); };

    button.pointerEnter();
    button.pointerEnter();
    button.mouseDown();
    button.click();
    button.pointerLeave();
    button.pointerLeave();
    button.setEnabled(false);
    button.pointerEnter();
    button.click();
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "down", "click", "leave"}));

    button.setPicture(toolkit.pictures().get(picture_names::BackupHover));
    EXPECT_EQ(button.picture()->name(), picture_names::BackupHover);
}

TEST_F(ControlsTest, EditCutsTypingAtMaxLength) {
    auto& name = form->addEdit("Edit2", {0, 0, 100, 21}, L"", 8);
    name.type(L"ABCDEFGHIJ");
    EXPECT_EQ(name.text(), L"ABCDEFGH");
    name.setText(L"program text is not cut");
    EXPECT_EQ(name.text(), L"program text is not cut");
}

TEST_F(ControlsTest, SpinEditReadsWholeNumbersOnly) {
    auto& size = form->addSpinEdit("SpinEdit1", {0, 0, 80, 21}, 0, 0, 2000);
    const struct {
        std::wstring text;
        std::optional<int> value;
    } cases[] = {{L"20", 20},           {L"-3", -3},
                 {L"", std::nullopt},   {L"12a", std::nullopt},
                 {L" 5", std::nullopt}, {L"99999999999", std::nullopt}};
    for (const auto& c : cases) {
        size.textFromUser(c.text);
        EXPECT_EQ(size.value(), c.value) << std::string(c.text.begin(), c.text.end());
    }
    size.setValue(1999);
    size.stepUp();
    size.stepUp();
    EXPECT_EQ(size.text(), L"2000");
    size.setValue(0);
    size.stepDown();
    EXPECT_EQ(size.value(), 0);
}

TEST_F(ControlsTest, FolderEditTakesTheChosenFolderAndKeepsItsTextOnCancel) {
    auto& folder = form->addFolderEdit("DirectoryEdit1", {0, 0, 200, 21}, L"Select Folder");
    int changes = 0;
    folder.onChange = [&] { ++changes; };
    toolkit.folders().answerNext(L"C:\\Data");
    toolkit.folders().answerNext(std::nullopt);

    EXPECT_TRUE(folder.browse());
    EXPECT_FALSE(folder.browse());
    EXPECT_EQ(folder.text(), L"C:\\Data");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(toolkit.folders().starts(),
              (std::vector<std::wstring>{L"Select Folder", L"C:\\Data"}));
}

TEST_F(ControlsTest, ProgressBarStaysWithinItsRange) {
    auto& bar = form->addProgressBar("ProgressBar1", {0, 0, 200, 17});
    const std::pair<int, int> cases[] = {{40, 40}, {-5, 0}, {250, 100}};
    for (auto [given, kept] : cases) {
        bar.setPosition(given);
        EXPECT_EQ(bar.position(), kept) << given;
    }
}

} // namespace
} // namespace stowkeep::ui
