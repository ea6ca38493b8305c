// Shows the image page or the Options page on the real Win32 toolkit, for screenshots:
//   pages_preview image|run|after|options <marker file>
// image: three requests listed; run: File Create in progress with the wait window over
// the page; after: the summary message of a finished run; options: page 3.
// The marker file is written once the window has been shown and painted.
#include "images/image_page.h"
#include "platform/win32/files_win32.h"
#include "platform/win32/win32_profile_files.h"
#include "platform/win32/win32_user_registry.h"
#include "settings/options_page.h"
#include "ui/win32/win32_toolkit.h"

#include <fstream>
#include <string>
#include <thread>
#include <windows.h>

namespace {

using namespace stowkeep;

// The real file system, except that the zero-fill worker's opening takes a minute, so the
// run stays in progress long enough to be seen.
class SlowWorkerFiles : public platform::Win32FileSystem {
  public:
    explicit SlowWorkerFiles(DWORD uiThread) : uiThread_(uiThread) {}
    platform::FileHandle Open(const std::wstring& path, platform::Access access, unsigned share,
                              platform::Disposition disposition,
                              platform::FileError* error) override {
        if (GetCurrentThreadId() != uiThread_) {
            Sleep(60000);
        }
        return Win32FileSystem::Open(path, access, share, disposition, error);
    }

  private:
    DWORD uiThread_;
};

class PreviewWait : public images::WaitWindow {
  public:
    PreviewWait(ui::Toolkit& toolkit, const ui::Window& main) {
        ui::WindowOptions options;
        options.clientWidth = 245;
        options.clientHeight = 97;
        options.frame = ui::Frame::RoundedPopup;
        options.centreOver = &main;
        window_ = toolkit.createWindow("Form4", options);
        auto& busy = window_->addPicture("Image1", {96, 8, 50, 50},
                                         toolkit.pictures().get(ui::picture_names::Busy));
        window_->addLabel("Label1", {63, 65, 0, 0}, L"Please wait...", {true, 16});
        busy.startAnimation();
    }
    void Show() override { window_->show(); }
    void Close() override { window_->hide(); }

  private:
    std::unique_ptr<ui::Window> window_;
};

std::wstring ScratchFolder() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"stowkeep-preview";
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const wchar_t* made : {L"\\FD1.ima", L"\\HD20.dsk", L"\\RM1.rmd"}) {
        DeleteFileW((folder + made).c_str());
    }
    return folder;
}

void ListRequests(images::ImagePage& page) {
    struct Request {
        ui::RadioButton* type;
        const wchar_t* name;
        const wchar_t* size;
    };
    for (const Request& r : {Request{&page.spSkinCheckRadioBox5, L"FD1", nullptr},
                             Request{&page.spSkinCheckRadioBox7, L"HD20", L"20"},
                             Request{&page.spSkinCheckRadioBox6, L"RM1", L"4"}}) {
        r.type->click();
        page.spSkinEdit2.type(r.name);
        if (r.size) {
            page.spSkinSpinEdit1.setText(r.size);
        }
        page.spSkinButton7.click();
    }
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring what = argc > 1 ? argv[1] : L"image";
    ui::Win32Toolkit toolkit;
    auto window = toolkit.createWindow("Form1", {L"Stowkeep (KD-RX710)", 531, 363});
    auto messages = toolkit.createMessageDialog(window.get(), L"Stowkeep (KD-RX710)");
    window->onClose = [&] { toolkit.quit(0); };

    const std::wstring folder = ScratchFolder();
    platform::win32::Win32ProfileFiles profile;
    settings::SettingsFile settings(profile, folder + L"\\set.ini");
    settings.WriteText(L"Virtual_HDD", L"Option", what == L"run" ? L"Slow" : L"Fast");
    platform::win32::Win32UserRegistry registry;
    settings::Autorun autorun(registry, folder);
    SlowWorkerFiles files(GetCurrentThreadId());
    PreviewWait wait(toolkit, *window);

    std::unique_ptr<images::ImagePage> imagePage;
    std::unique_ptr<settings::OptionsPage> optionsPage;
    if (what == L"options") {
        optionsPage = std::make_unique<settings::OptionsPage>(
            *window, settings::OptionsPageServices{settings, autorun, *messages, [](int) {}});
        optionsPage->LoadOptionsPage();
    } else {
        imagePage = std::make_unique<images::ImagePage>(
            *window, images::ImagePageServices{files, settings, *messages, toolkit.dispatcher(),
                                               wait, [](int) {}});
        imagePage->JvDirectoryEdit3.setText(folder);
        ListRequests(*imagePage);
    }
    window->show();
    if (imagePage && what != L"image") {
        toolkit.dispatcher().post([&] { imagePage->spSkinButton8Click(); });
    }
    std::unique_ptr<ui::Timer> ready;
    if (argc > 2) {
        const std::wstring marker = argv[2];
        ready = toolkit.createTimer(std::chrono::milliseconds(1500), [&, marker] {
            std::ofstream(marker.c_str()) << "ready\n";
            ready->stop();
        });
        ready->start();
    }
    return toolkit.run();
}
