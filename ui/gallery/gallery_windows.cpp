#include "ui/gallery/gallery_windows.h"

namespace stowkeep::ui::gallery {

namespace n = picture_names;

std::unique_ptr<Window> mainPage(Toolkit& toolkit) {
    auto window =
        toolkit.createWindow("Form1", {L"Stowkeep (KD-RX710)", 531, 363, Frame::Standard, true});
    auto& pages = window->addPageControl("spSkinPageControl1", {0, 0, 531, 363});
    auto& page = pages.addPage("TabSheet1");
    const PictureStore& art = toolkit.pictures();
    page.addPicture("Image1", {54, 22, 128, 40}, art.get(n::Logo));
    page.addPictureButton("Image16", {54, 85, 100, 79}, L"Backup", art.get(n::BackupNormal));
    page.addPictureButton("Image17", {171, 85, 100, 79}, L"Virtual HDD",
                          art.get(n::VirtualHddHover));
    page.addPictureButton("Image18", {288, 85, 100, 79}, L"Setting", art.get(n::SettingPressed));
    page.addPictureButton("Image19", {405, 85, 100, 79}, L"Safe Removal",
                          art.get(n::SafeRemovalNoDevice));
    page.addLabel("spSkinStdLabel1", {430, 275, 0, 0}, L"Ver 1.00.6536");
    page.addLinkLabel("spSkinLinkLabel1", {185, 317, 0, 0}, L"www.stowkeep.example");
    page.addButton("spSkinButton5", {430, 304, 75, 27}, L"Close").setDefault(true);
    return window;
}

std::unique_ptr<Window> controls(Toolkit& toolkit) {
    auto window = toolkit.createWindow("Controls", {L"Controls", 560, 400, Frame::Standard});
    auto& type = window->addGroupBox("DiskType", {16, 12, 250, 96}, L"Disk Type");
    type.addRadioButton("Floppy", {14, 24, 200, 20}, L"Floppy Disk");
    type.addRadioButton("Removable", {14, 46, 200, 20}, L"Removable Disk");
    type.addRadioButton("Fixed", {14, 68, 200, 20}, L"Fixed Disk").setChecked(true);
    auto& backup = window->addGroupBox("AutomaticBackup", {282, 12, 262, 56}, L"Automatic Backup");
    backup.addRadioButton("On", {14, 26, 80, 20}, L"ON").setChecked(true);
    backup.addRadioButton("Off", {110, 26, 80, 20}, L"OFF");

    window->addLabel("DirectoryLabel", {282, 80, 0, 0}, L"Directory");
    window->addFolderEdit("JvDirectoryEdit3", {282, 98, 262, 23}, L"E:\\_iso");
    window->addLabel("NameLabel", {16, 122, 0, 0}, L"File Name");
    window->addEdit("spSkinEdit2", {16, 140, 120, 23}, L"DISK1", 8);
    window->addLabel("SizeLabel", {150, 122, 0, 0}, L"File Size");
    window->addSpinEdit("spSkinSpinEdit1", {150, 140, 84, 23}, 20, 0, 2000);
    window->addLabel("spSkinStdLabel7", {240, 144, 0, 0}, L"GB");
    window->addButton("Add", {282, 139, 80, 25}, L"Add");
    window->addButton("Clear", {372, 139, 80, 25}, L"Clear");
    window->addButton("Main", {462, 139, 82, 25}, L"Main").setEnabled(false);

    auto& list = window->addListView("spSkinListView2", {16, 178, 528, 130},
                                     {{L"Num", 35},
                                      {L"Disk Type", 95},
                                      {L"File Name", 130},
                                      {L"File Size", 90},
                                      {L"Processing", 100}});
    list.addRow(L"1", {L"Fixed Disk", L"DISK1", L"20 GB", L"Completed"});
    list.addRow(L"2", {L"Removable Disk", L"MEDIA", L"4 GB", L"Generating"});
    list.addRow(L"3", {L"Floppy Disk", L"BOOT", L"1440 KB", L"Waiting"});
    list.select(1);

    window->addLabel("FileLabel", {16, 320, 0, 0}, L"E:\\_iso\\MEDIA.rmd");
    window->addProgressBar("JvXPProgressBar1", {16, 340, 528, 17}).setPosition(40);
    window->addLinkLabel("Link", {16, 368, 0, 0}, L"www.stowkeep.example");
    window->addButton("Create", {464, 364, 80, 25}, L"File Create").setDefault(true);
    return window;
}

std::unique_ptr<Window> pictureStates(Toolkit& toolkit) {
    auto window = toolkit.createWindow("States", {L"Picture buttons", 460, 376, Frame::Dialog});
    const wchar_t* rows[][4] = {
        {n::BackupNormal, n::BackupHover, n::BackupPressed, n::BackupNoDevice},
        {n::VirtualHddNormal, n::VirtualHddHover, n::VirtualHddPressed, n::VirtualHddNoDevice},
        {n::SettingNormal, n::SettingHover, n::SettingPressed, nullptr},
        {n::SafeRemovalNormal, n::SafeRemovalHover, n::SafeRemovalPressed, n::SafeRemovalNoDevice},
    };
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            if (const wchar_t* name = rows[row][column])
                window->addPicture("State" + std::to_string(row * 4 + column),
                                   {14 + column * 112, 12 + row * 90, 100, 79},
                                   toolkit.pictures().get(name));
    return window;
}

std::unique_ptr<Window> about(Toolkit& toolkit) {
    auto window = toolkit.createWindow("Form3", {L"About...", 379, 137, Frame::Dialog});
    window->addPicture("Image1", {21, 34, 128, 40}, toolkit.pictures().get(n::Logo));
    window->addLabel("spSkinStdLabel1", {163, 34, 0, 0}, L"Ver 1.00.6536");
    window->addLabel("spSkinStdLabel2", {163, 56, 0, 0}, L"Copyright \u00A9 Stowkeep Works");
    auto& ok = window->addButton("spSkinButton1", {288, 96, 75, 25}, L"OK");
    ok.setDefault(true);
    ok.setCancel(true);
    return window;
}

std::unique_ptr<Window> wait(Toolkit& toolkit, const Window& over) {
    auto window = toolkit.createWindow("Form4", {L"", 245, 97, Frame::RoundedPopup, false, &over});
    auto& busy = window->addPicture("Image1", {96, 8, 50, 50}, toolkit.pictures().get(n::Busy));
    window->addLabel("Label1", {63, 65, 0, 0}, L"Please wait...", {true, 16, false, false});
    window->onShow = [&busy] { busy.startAnimation(); };
    return window;
}

} // namespace stowkeep::ui::gallery
