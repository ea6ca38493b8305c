// Shows the backup page with three jobs and a copy window in the middle of a
// file, on the Win32 toolkit, for looking at them (not a test). With a file
// name as argument it writes that file once both windows are painted.
#include "backup/backup_command.h"
#include "backup/backup_jobs.h"
#include "backup/backup_page.h"
#include "platform/fake/fake_profile_files.h"
#include "platform/fake/files_fake.h"
#include "ui/win32/dpi.h"
#include "ui/win32/win32_toolkit.h"
#include "ui/win32/windows_api.h"

#include <fstream>

using namespace stowkeep;

namespace {

// Puts the copy window below the main window, so both can be seen whole.
void PlaceBelow(const wchar_t* caption, int top) {
    HWND window = FindWindowW(L"StowkeepWindow", caption);
    const UINT dpi = ui::win32::dpiOfWindow(window);
    SetWindowPos(window, nullptr, ui::win32::scaled(12, dpi), ui::win32::scaled(top, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    ui::Win32Toolkit toolkit;
    platform::FakeFileSystem files;
    platform::fake::FakeProfileFiles profile;
    profile.AddFolder(L"C:\\Stowkeep");
    settings::SettingsFile settings(profile, L"C:\\Stowkeep\\set.ini");
    for (const wchar_t* source : {L"C:\\Users\\Me\\Documents", L"D:\\Photos", L"C:\\Work\\ Old"}) {
        backup::AppendBackupJob(settings, {source, L"E:\\backup"});
    }
    MainState state;
    state.DeviceState = L"ok";
    state.DeviceRoot = L"E:\\";
    std::atomic<std::int32_t> total{0};

    auto main = toolkit.createWindow(
        "TForm1", {L"Stowkeep (KD-RX710)", 531, 363, ui::Frame::Standard, true, nullptr});
    auto& pages = main->addPageControl("spSkinPageControl1", {0, 0, 531, 363});
    pages.addPage("TabSheet1");
    auto& backupPage = pages.addPage("TabSheet2");
    auto messages = toolkit.createMessageDialog(main.get(), L"Stowkeep (KD-RX710)");
    backup::BackupContext context{toolkit,   *main,    pages,
                                  *messages, settings, files,
                                  state,     [] {},    [](std::chrono::milliseconds) {},
                                  [] {},     total};
    backup::BackupPage page(backupPage, context, [] {});
    page.LoadBackupJobs();
    page.JvDirectoryEdit2.setText(L"E:\\backup");
    pages.setActivePage(1);
    main->onClose = [&] { toolkit.quit(0); };
    main->show();

    backup::TForm2 copy(context);
    copy.window().show();
    copy.spSkinStdLabel1.setText(
        L"From : C:\\Users\\Me\\Documents  ----->  To: E:\\backup\\Documents");
    copy.SetErrorLine(L"Error : 1");
    copy.SetFilePath(
        L"C:\\Users\\Me\\Documents\\Letters\\2026\\a long letter to the tax office.docx");
    copy.SetProgress(42);
    PlaceBelow(L"Stowkeep (KD-RX710)", 12);
    PlaceBelow(L"Copying...", 420);

    std::unique_ptr<ui::Timer> ready;
    if (argc > 1) {
        std::wstring marker = argv[1];
        ready = toolkit.createTimer(std::chrono::milliseconds(1500), [&, marker] {
            std::ofstream(marker.c_str()) << "ready\n";
            ready->stop();
        });
        ready->start();
    }
    return toolkit.run();
}
