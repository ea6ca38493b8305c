#pragma once

#include "app/library_binding.h"
#include "app/main_page.h"
#include "app/main_state.h"
#include "app/picture_store_page.h"
#include "app/wait_window_link.h"
#include "backup/backup_command.h"
#include "backup/backup_context.h"
#include "backup/backup_page.h"
#include "backup/one_touch_watcher.h"
#include "drives/device_presence.h"
#include "drives/device_view.h"
#include "images/image_page.h"
#include "platform/files.h"
#include "platform/libraries.h"
#include "platform/module_path.h"
#include "platform/processes.h"
#include "platform/profile_files.h"
#include "platform/user_registry.h"
#include "settings/autorun.h"
#include "settings/options_page.h"
#include "settings/settings_file.h"
#include "ui/ui.h"

#include <functional>
#include <memory>
#include <string>

namespace stowkeep::app {

class TForm3;
class TForm4;

// What the main window works with, all owned elsewhere and outliving it.
struct TForm1Services {
    ui::Toolkit& toolkit;
    const platform::ModulePath& module;
    platform::Libraries& libraries;
    platform::Processes& processes;
    platform::UserRegistry& registry;
    platform::ProfileFiles& profiles;
    platform::FileSystem& files;
    // The drive list's seams: the process's own in the program, a test's own in tests.
    drives::DevicePresenceSeams deviceSeams;
    // The shell's default action on a web address, in the logged-on user's own context.
    std::function<void(const std::wstring& address)> openWebPage;
};

// The windows the entry creates after the main window; set as they are made,
// used only once the message loop runs.
struct OtherForms {
    TForm3* about = nullptr;
    TForm4* wait = nullptr;
};

// Window menu command ids the main window answers like its notification-area
// menu items, so that tools and tests can reach those commands by WM_COMMAND.
namespace commands {
inline constexpr unsigned About = 0x7101;
inline constexpr unsigned Main = 0x7102;
inline constexpr unsigned Exit = 0x7103;
} // namespace commands

// The main window: owns the start-up sequence, the notification-area icon
// with its menu, the five pages, and the way the program ends.
class TForm1 : private drives::DeviceView {
  public:
    TForm1(TForm1Services services, const OtherForms& forms);
    ~TForm1() override; // FormDestroy
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // Event handlers, named after their controls and events.
    void spDynamicSkinForm1Minimize();
    bool FormCloseQuery();
    void Main1Click();
    void About1Click();
    void Exit1Click();
    void Image16Click();
    void Image17Click();
    void Image18Click();
    void Image19Click();
    void spSkinButton1Click(); // "Backup" on page 1
    void spSkinButton2Click(); // "Main" on pages 1 and 2
    void spSkinLinkLabel1Click();

    MainState& State() { return state_; }
    ui::Window& Window() const { return *window_; }
    ui::PageControl& Pages() const { return *pages_; }
    ui::TrayIcon& Tray() const { return *tray_; }
    ui::MessageDialog& Messages() const { return *messages_; } // spSkinMessage1
    const PictureStorePage& Store() const { return *store_; }
    const ui::Label& VersionLabel() const;
    const LibraryBinding& Library() const { return library_; }
    MainPage& Page0() const { return *mainPage_; }
    backup::BackupPage& Page1() const { return *backupPage_; }
    images::ImagePage& Page2() const { return *imagePage_; }
    settings::OptionsPage& Page3() const { return *optionsPage_; }

  private:
    void BuildWindow();
    void BuildTrayIcon();
    void FormCreate();
    void BuildSubsystemPages();
    std::optional<std::intptr_t> OnMessage(const ui::RawMessage& message);
    std::int32_t ButtonStatus() const;

    void SetBackupFolderText(const std::wstring& text) override;
    void SetImageFolderText(const std::wstring& text) override;
    void ShowDeviceButtons(drives::DeviceButtonPictures pictures) override;

    TForm1Services services_;
    const OtherForms& forms_;
    MainState state_;
    settings::SettingsFile settingsFile_;
    settings::Autorun autorun_;
    LibraryBinding library_;
    std::unique_ptr<ui::Window> window_;
    ui::PageControl* pages_ = nullptr;
    std::unique_ptr<PictureStorePage> store_;
    std::unique_ptr<MainPage> mainPage_;
    std::unique_ptr<ui::TrayIcon> tray_;
    std::unique_ptr<ui::MessageDialog> messages_;
    WaitWindowLink waitWindow_;
    std::unique_ptr<backup::BackupContext> backupContext_;
    std::unique_ptr<backup::BackupCommand> backupCommand_;
    std::unique_ptr<backup::BackupPage> backupPage_;
    std::unique_ptr<images::ImagePage> imagePage_;
    std::unique_ptr<settings::OptionsPage> optionsPage_;
    std::unique_ptr<backup::TThreadOTB> oneTouch_;
    std::unique_ptr<drives::TDevicePresence> presence_;
};

} // namespace stowkeep::app
