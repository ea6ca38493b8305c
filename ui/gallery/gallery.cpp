// Opens every window of the skin side by side; with a file name as argument it writes
// that file once everything has been shown and painted, so a script can take a picture.
#include "ui/gallery/gallery_windows.h"
#include "ui/win32/dpi.h"
#include "ui/win32/win32_toolkit.h"
#include "ui/win32/windows_api.h"

#include <fstream>

using namespace stowkeep::ui;

namespace {

void place(const std::wstring& caption, int left, int top) {
    HWND window = FindWindowW(L"StowkeepWindow", caption.c_str());
    UINT dpi = win32::dpiOfWindow(window);
    SetWindowPos(window, nullptr, win32::scaled(left, dpi), win32::scaled(top, dpi), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    Win32Toolkit toolkit;
    auto main = gallery::mainPage(toolkit);
    auto controls = gallery::controls(toolkit);
    auto states = gallery::pictureStates(toolkit);
    auto about = gallery::about(toolkit);
    auto wait = gallery::wait(toolkit, *main);
    main->onClose = [&] { toolkit.quit(0); };
    about->get<Button>("spSkinButton1").onClick = [&] { about->hide(); };

    for (Window* window : {states.get(), controls.get(), about.get(), main.get()})
        window->show();
    place(L"Stowkeep (KD-RX710)", 12, 12);
    place(L"Controls", 570, 12);
    place(L"About...", 12, 420);
    place(L"Picture buttons", 1150, 12);
    wait->show();
    place(L"", 410, 590);

    auto box = toolkit.createMessageDialog(main.get(), L"Stowkeep (KD-RX710)");
    toolkit.dispatcher().post([&] {
        box->warn(L"If you want to overwrite, then click \"Yes\". Otherwise, click \"No\"");
    });
    // The notification-area menu, opened at a fixed point as a right click would.
    auto tray = toolkit.createTrayIcon("spTrayIcon1", L"Stowkeep (KD-RX710)",
                                       toolkit.pictures().get(picture_names::TrayIcon));
    for (auto [name, caption] : {std::pair{"About1", L"About..."}, std::pair{"Main1", L"Main"},
                                 std::pair{"Exit1", L"Exit"}})
        tray->addMenuItem(name, caption, [] {});
    tray->setVisible(true);
    toolkit.dispatcher().post([&] {
        UINT dpi = win32::dpiOfWindow(FindWindowW(L"StowkeepWindow", L"Controls"));
        SetCursorPos(win32::scaled(1150, dpi), win32::scaled(470, dpi));
        HWND owner = FindWindowW(L"StowkeepMessageWindow", L"Stowkeep (KD-RX710)");
        SendMessageW(owner, WM_APP + 10, 1, WM_RBUTTONUP);
    });
    std::unique_ptr<Timer> ready;
    if (argc > 1) {
        std::wstring marker = argv[1];
        ready = toolkit.createTimer(std::chrono::milliseconds(1500), [&, marker] {
            place(L"Warning", 570, 480);
            std::ofstream(marker.c_str()) << "ready\n";
            ready->stop();
        });
        ready->start();
    }
    return toolkit.run();
}
