#pragma once

#include "images/disk_type.h"
#include "images/wait_window.h"
#include "images/zero_fill.h"
#include "platform/files.h"
#include "settings/settings_file.h"
#include "ui/ui.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>

namespace stowkeep::images {

// What the image page works with; all owned by the main window.
struct ImagePageServices {
    platform::FileSystem& files;
    const settings::SettingsFile& settings;
    ui::MessageDialog& messages;
    ui::Dispatcher& dispatcher;
    WaitWindow& wait;
    std::function<void(int)> goToPage;
};

// Page 2 of the main window: the list of image files to make and File Create.
class ImagePage {
  public:
    // Builds the page's controls onto page.
    ImagePage(ui::Container& page, ImagePageServices services);

    void spSkinCheckRadioBox5Click(); // Floppy Disk
    void spSkinCheckRadioBox6Click(); // Removable Disk and Fixed Disk
    void spSkinButton7Click();        // Add
    // Clear. While File Create walks the list it is refused (does nothing), so the walk
    // never reads a removed row; the main page's Virtual HDD button runs it too.
    void spSkinButton11Click();
    void spSkinButton8Click(); // File Create

    bool RunInProgress() const { return running_; }

    ui::FolderEdit& JvDirectoryEdit3;
    ui::GroupBox& spSkinGroupBox3;
    ui::RadioButton& spSkinCheckRadioBox5;
    ui::RadioButton& spSkinCheckRadioBox6;
    ui::RadioButton& spSkinCheckRadioBox7;
    ui::Edit& spSkinEdit2;
    ui::SpinEdit& spSkinSpinEdit1;
    ui::Label& spSkinStdLabel7;
    ui::Button& spSkinButton7;
    ui::Button& spSkinButton11;
    ui::Button& spSkinButton8;
    ui::Button& spSkinButton6;
    ui::ListView& spSkinListView2;

  private:
    std::optional<DiskType> SelectedType() const;
    bool Refuse(const wchar_t* message, ui::Control* focus);
    bool NameIsRefused(const std::wstring& name, const DiskTypeInfo& type,
                       const std::wstring& path);
    bool IsListed(const std::wstring& name, const std::wstring& label) const;
    bool SizeIsRefused(const std::wstring& path);

    bool FolderIsRefused(const std::wstring& folder);
    void SetInputsEnabled(bool enabled);
    bool MakeRow(int row, const std::wstring& folder, bool slow);
    bool CreateSizedFile(std::int64_t size);
    void SetStatus(int row, const wchar_t* status);
    bool RunCompleted() const;

    ImagePageServices services_;
    bool running_ = false;
    std::wstring ImagePath;
    std::atomic<ZeroFill> ZeroFillResult{ZeroFill::ok};
};

} // namespace stowkeep::images
