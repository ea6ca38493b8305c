#include "app/unit1.h"

#include "app/safe_removal.h"
#include "app/texts.h"
#include "app/unit3.h"
#include "backup/file_count.h"
#include "backup/one_touch_reaction.h"
#include "platform/instances_to_end.h"
#include "settings/settings_path.h"

#include <thread>

#ifdef _WIN32
#include "drives/win32/device_broadcast.h"
#endif

namespace stowkeep::app {

namespace {

constexpr unsigned kWmCommand = 0x0111;
constexpr unsigned kWmDeviceChange = 0x0219;

constexpr int kBackupPage = 1;
constexpr int kImagePage = 2;
constexpr int kOptionsPage = 3;

} // namespace

TForm1::TForm1(TForm1Services services, const OtherForms& forms)
    : services_(std::move(services)), forms_(forms),
      settingsFile_(services_.profiles, settings::SettingsFilePath(services_.module)),
      autorun_(services_.registry, platform::FolderOf(services_.module.ExecutablePath())),
      library_(services_.libraries, services_.module), waitWindow_(forms_.wait) {
    BuildWindow();
    BuildTrayIcon();
    FormCreate();
}

// The watcher and the drive list end before the library they may call goes.
TForm1::~TForm1() {
    if (oneTouch_)
        oneTouch_->WaitFor();
    presence_.reset();
    library_.Unload();
}

void TForm1::BuildWindow() {
    ui::WindowOptions options;
    options.clientWidth = 531;
    options.clientHeight = 363;
    options.minimiseButton = true;
    window_ = services_.toolkit.createWindow("Form1", options);
    window_->onMinimise = [this] { spDynamicSkinForm1Minimize(); };
    window_->onCloseQuery = [this] { return FormCloseQuery(); };
    // The main window closes only after Exit began; that ends the program.
    window_->onClose = [this] { services_.toolkit.quit(0); };
    window_->addMessageHook([this](const ui::RawMessage& m) { return OnMessage(m); });

    pages_ = &window_->addPageControl("spSkinPageControl1", {0, 0, 531, 363});
    for (int index = 1; index <= 5; ++index)
        pages_->addPage("spSkinTabSheet" + std::to_string(index));
    store_ = std::make_unique<PictureStorePage>(pages_->page(4), services_.toolkit.pictures());
    mainPage_ = std::make_unique<MainPage>(
        pages_->page(0), *store_, state_,
        MainPage::Actions{[this] { Image16Click(); }, [this] { Image17Click(); },
                          [this] { Image18Click(); }, [this] { Image19Click(); },
                          [this] { spDynamicSkinForm1Minimize(); },
                          [this] { spSkinLinkLabel1Click(); }});
    messages_ =
        services_.toolkit.createMessageDialog(window_.get(), std::wstring(kApplicationTitle));
    BuildSubsystemPages();
}

void TForm1::BuildSubsystemPages() {
    auto& files = services_.files;
    backupContext_ = std::make_unique<backup::BackupContext>(backup::BackupContext{
        services_.toolkit, *window_, *pages_, *messages_, settingsFile_, files, state_,
        [this] { Main1Click(); },
        [](std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); },
        [this, &files] { backup::TFileNumCheckThread::Start(files, settingsFile_); },
        backup::TotalFileCount});
    backupCommand_ = std::make_unique<backup::BackupCommand>(*backupContext_);
    backupPage_ = std::make_unique<backup::BackupPage>(pages_->page(kBackupPage), *backupContext_,
                                                       [this] { spSkinButton1Click(); });
    const auto goToPage = [this](int index) { pages_->setActivePage(index); };
    imagePage_ = std::make_unique<images::ImagePage>(
        pages_->page(kImagePage),
        images::ImagePageServices{files, settingsFile_, *messages_, services_.toolkit.dispatcher(),
                                  waitWindow_, [this](int) { spSkinButton2Click(); }});
    optionsPage_ = std::make_unique<settings::OptionsPage>(
        pages_->page(kOptionsPage),
        settings::OptionsPageServices{settingsFile_, autorun_, *messages_, goToPage});
}

void TForm1::BuildTrayIcon() {
    tray_ = services_.toolkit.createTrayIcon(
        "spTrayIcon1", std::wstring(kApplicationTitle),
        services_.toolkit.pictures().get(ui::picture_names::TrayIcon));
    tray_->addMenuItem("About1", L"About...", [this] { About1Click(); });
    tray_->addMenuItem("Main1", L"Main", [this] { Main1Click(); });
    tray_->addMenuItem("Exit1", L"Exit", [this] { Exit1Click(); });
    tray_->onDoubleClick = [this] { Main1Click(); };
    // The program starts minimised to the notification area.
    tray_->setVisible(true);
}

// Painting is double-buffered by the toolkit's skin, so the first step of the
// start-up sequence has nothing left to do here.
void TForm1::FormCreate() {
    window_->setText(std::wstring(kMainCaption));
    auto& logo = pages_->page(0).get<ui::Picture>("Image1");
    logo.setPicture(store_->Picture("Image27"));
    logo.setTop(296);
    auto& link = pages_->page(0).get<ui::LinkLabel>("spSkinLinkLabel1");
    link.setText(std::wstring(kMakerAddress));
    link.setLeft(185);
    pages_->page(0).get<ui::Label>("spSkinStdLabel1").setText(std::wstring(kVersionText));

    if (!autorun_.Check(settingsFile_))
        messages_->notice(settingsFile_.WriteErrorText());
    state_.ExitFlag = 0;
    library_.Load();
    services_.toolkit.dispatcher().processPendingMessages();
    auto& dispatcher = services_.toolkit.dispatcher();
    oneTouch_ = std::make_unique<backup::TThreadOTB>(
        state_.ExitFlag,
        backup::TThreadOTB::Hooks{
            [this] { return ButtonStatus(); },
            [&dispatcher](backup::TThreadOTB::Task task) { dispatcher.post(std::move(task)); },
            [this] {
                backup::ReactToBackupButton(*backupContext_, [this] { spSkinButton1Click(); });
            }});
    optionsPage_->LoadOptionsPage();
    state_.DeviceState = L"non";
    state_.BackupState = L"non";
    presence_ = std::make_unique<drives::TDevicePresence>(
        services_.deviceSeams, state_, static_cast<drives::DeviceView&>(*this),
        [&dispatcher](std::function<void()> work) { dispatcher.post(std::move(work)); });
    pages_->setActivePage(0);
    backupPage_->LoadBackupJobs();
}

// The enclosure's button code; 0 without the library or its export.
std::int32_t TForm1::ButtonStatus() const {
    return library_.Call("ButtonStatus").value_or(0);
}

void TForm1::SetBackupFolderText(const std::wstring& text) {
    backupPage_->JvDirectoryEdit2.setText(text);
}

void TForm1::SetImageFolderText(const std::wstring& text) {
    imagePage_->JvDirectoryEdit3.setText(text);
}

void TForm1::ShowDeviceButtons(drives::DeviceButtonPictures pictures) {
    mainPage_->ShowDevicePictures(pictures == drives::DeviceButtonPictures::Normal);
}

const ui::Label& TForm1::VersionLabel() const {
    return pages_->page(0).get<ui::Label>("spSkinStdLabel1");
}

std::optional<std::intptr_t> TForm1::OnMessage(const ui::RawMessage& message) {
    switch (message.message) {
    case ui::messages::QueryEndSession:
        // The hidden window must not hold up logoff or shutdown.
        return 1;
    case ui::messages::EndSession:
        if (message.wParam != 0)
            Exit1Click();
        return std::nullopt;
    case kWmCommand: {
        if (message.lParam != 0)
            return std::nullopt; // a control's notification, not a menu command
        const auto id = static_cast<unsigned>(message.wParam & 0xFFFF);
        const char* item = id == commands::About  ? "About1"
                           : id == commands::Main ? "Main1"
                           : id == commands::Exit ? "Exit1"
                                                  : nullptr;
        if (!item)
            return std::nullopt;
        tray_->clickMenuItem(item);
        return 0;
    }
    case kWmDeviceChange:
#ifdef _WIN32
        drives::HandleDeviceChangeMessage(message.wParam, message.lParam);
#endif
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

void TForm1::spDynamicSkinForm1Minimize() {
    tray_->setVisible(true);
    window_->hide();
}

bool TForm1::FormCloseQuery() {
    spDynamicSkinForm1Minimize();
    return state_.ExitFlag != 0;
}

void TForm1::Main1Click() {
    window_->restore();
    pages_->setActivePage(0);
}

void TForm1::About1Click() {
    if (forms_.about)
        forms_.about->Show();
}

// Ends every instance of the program in our own logon session, this one
// last. Other users' instances, in other sessions, are left alone. Our icon
// goes first: the shell would keep an ended process's icon until the pointer
// passes over it.
void TForm1::Exit1Click() {
    state_.ExitFlag = 1;
    oneTouch_->WaitFor();
    platform::EndInstancesOfOwnSession(services_.processes, kExecutableName,
                                       [this] { tray_->setVisible(false); });
}

void TForm1::Image16Click() {
    if (state_.DeviceState != L"ok")
        return;
    pages_->setActivePage(kBackupPage);
}

void TForm1::Image17Click() {
    if (state_.DeviceState != L"ok")
        return;
    imagePage_->spSkinButton11Click();
    pages_->setActivePage(kImagePage);
}

void TForm1::Image18Click() {
    optionsPage_->LoadOptionsPage();
    pages_->setActivePage(kOptionsPage);
}

void TForm1::Image19Click() {
    RunSafeRemoval(state_, library_, *messages_);
}

void TForm1::spSkinButton1Click() {
    backupCommand_->spSkinButton1Click();
}

void TForm1::spSkinButton2Click() {
    pages_->setActivePage(0);
}

void TForm1::spSkinLinkLabel1Click() {
    if (services_.openWebPage)
        services_.openWebPage(std::wstring(kMakerPage));
}

} // namespace stowkeep::app
