#include "images/image_page.h"

#include <limits>

namespace stowkeep::images {
namespace {

constexpr int kNameLength = 8;

std::vector<ui::Column> RequestColumns() {
    return {{L"Num", 35},
            {L"Disk Type", 80},
            {L"File Name", 130},
            {L"File Size", 80},
            {L"Processing", 100}};
}

} // namespace

ImagePage::ImagePage(ui::Container& page, ImagePageServices services)
    : JvDirectoryEdit3(page.addFolderEdit("JvDirectoryEdit3", {96, 18, 414, 23}, L"Select Folder")),
      spSkinGroupBox3(page.addGroupBox("spSkinGroupBox3", {20, 52, 160, 100}, L"Disk Type")),
      spSkinCheckRadioBox5(spSkinGroupBox3.addRadioButton("spSkinCheckRadioBox5", {12, 22, 140, 20},
                                                          L"Floppy Disk")),
      spSkinCheckRadioBox6(spSkinGroupBox3.addRadioButton("spSkinCheckRadioBox6", {12, 46, 140, 20},
                                                          L"Removable Disk")),
      spSkinCheckRadioBox7(
          spSkinGroupBox3.addRadioButton("spSkinCheckRadioBox7", {12, 70, 140, 20}, L"Fixed Disk")),
      spSkinEdit2(page.addEdit("spSkinEdit2", {272, 62, 120, 23}, L"", kNameLength)),
      spSkinSpinEdit1(page.addSpinEdit("spSkinSpinEdit1", {272, 100, 90, 23}, 0, 0,
                                       std::numeric_limits<int>::max())),
      spSkinStdLabel7(page.addLabel("spSkinStdLabel7", {368, 104, 30, 0}, L"GB")),
      spSkinButton7(page.addButton("spSkinButton7", {430, 60, 80, 27}, L"Add")),
      spSkinButton11(page.addButton("spSkinButton11", {430, 98, 80, 27}, L"Clear")),
      spSkinButton8(page.addButton("spSkinButton8", {320, 322, 100, 27}, L"File Create")),
      spSkinButton6(page.addButton("spSkinButton6", {430, 322, 80, 27}, L"Main")),
      spSkinListView2(page.addListView("spSkinListView2", {20, 164, 490, 148}, RequestColumns())),
      services_(std::move(services)) {
    page.addLabel("DirectoryLabel", {20, 22, 70, 0}, L"Directory");
    page.addLabel("FileNameLabel", {196, 66, 70, 0}, L"File Name");
    page.addLabel("FileSizeLabel", {196, 104, 70, 0}, L"File Size");

    spSkinCheckRadioBox5.onClick = [this] { spSkinCheckRadioBox5Click(); };
    spSkinCheckRadioBox6.onClick = [this] { spSkinCheckRadioBox6Click(); };
    spSkinCheckRadioBox7.onClick = [this] { spSkinCheckRadioBox6Click(); };
    spSkinButton7.onClick = [this] { spSkinButton7Click(); };
    spSkinButton11.onClick = [this] { spSkinButton11Click(); };
    spSkinButton8.onClick = [this] { spSkinButton8Click(); };
    spSkinButton6.onClick = [this] { services_.goToPage(0); };
}

} // namespace stowkeep::images
