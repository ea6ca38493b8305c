#include "tests/ui/win32_probe.h"
#include "ui/ui.h"
#include "ui/win32/dpi.h"
#include "ui/win32/win32_toolkit.h"
#include "ui/win32/windows_api.h"

#include <gtest/gtest.h>
#include <thread>

namespace stowkeep::ui {
namespace {

using namespace probe;

class Win32ControlsTest : public ::testing::Test {
  protected:
    static Win32Toolkit& toolkit() {
        static Win32Toolkit instance;
        return instance;
    }
    void SetUp() override {
        form = toolkit().createWindow("Form1",
                                      {L"Stowkeep (KD-RX710)", 531, 363, Frame::Standard, true});
        form->show();
        hwnd = FindWindowW(L"StowkeepWindow", L"Stowkeep (KD-RX710)");
        ASSERT_NE(hwnd, nullptr);
    }
    HWND item(const Control& control) const {
        for (HWND child : descendants(hwnd))
            if (GetDlgCtrlID(child) == control.controlId() && textOf(child) == control.text())
                return child;
        return nullptr;
    }

    std::unique_ptr<Window> form;
    HWND hwnd = nullptr;
};

TEST_F(Win32ControlsTest, EveryControlIsARealChildWindowWithItsIdAndText) {
    auto& pages = form->addPageControl("PageControl1", {0, 0, 531, 363});
    auto& page = pages.addPage("TabSheet1");
    auto& backup = page.addPictureButton("Image16", {54, 85, 100, 79}, L"Backup",
                                         toolkit().pictures().get(picture_names::BackupNormal));
    auto& close = page.addButton("spSkinButton5", {430, 304, 75, 27}, L"Close");
    auto& version = page.addLabel("spSkinStdLabel1", {430, 275, 0, 0}, L"Ver 1.00.6536");
    auto& box = page.addGroupBox("GroupBox1", {20, 180, 200, 60}, L"Automatic Backup");
    auto& on = box.addRadioButton("Radio1", {12, 24, 60, 20}, L"ON");

    const struct {
        const Control* control;
        const wchar_t* className;
    } cases[] = {{&backup, L"Button"},
                 {&close, L"Button"},
                 {&version, L"StowkeepLabel"},
                 {&box, L"StowkeepContainer"},
                 {&on, L"Button"}};
    for (const auto& c : cases) {
        HWND window = item(*c.control);
        ASSERT_NE(window, nullptr) << c.control->name();
        EXPECT_EQ(classOf(window), c.className) << c.control->name();
        EXPECT_TRUE(IsWindowVisible(window)) << c.control->name();
    }
    version.setText(L"Ver 2");
    EXPECT_NE(item(version), nullptr) << "a new text reaches the window";

    RECT client;
    GetClientRect(hwnd, &client);
    double scale = win32::dpiOfWindow(hwnd) / 96.0;
    EXPECT_NEAR(client.right, 531 * scale, 1);
    EXPECT_NEAR(client.bottom, 363 * scale, 1);
    EXPECT_EQ(GetWindowLongW(hwnd, GWL_STYLE) & WS_THICKFRAME, 0) << "not resizable";
}

TEST_F(Win32ControlsTest, ClicksOnTheRealWindowsReachTheModel) {
    auto& close = form->addButton("spSkinButton5", {430, 304, 75, 27}, L"Close");
    auto& picture = form->addPictureButton("Image18", {288, 85, 100, 79}, L"Setting",
                                           toolkit().pictures().get(picture_names::SettingNormal));
    auto& box = form->addGroupBox("GroupBox1", {20, 180, 200, 60}, L"Automatic Backup");
    auto& on = box.addRadioButton("Radio1", {12, 24, 60, 20}, L"ON");
    auto& off = box.addRadioButton("Radio2", {90, 24, 60, 20}, L"OFF");
    on.setChecked(true);
    std::vector<std::string> clicked;
    close.onClick = [&] { clicked.push_back("close"); };
    picture.onClick = [&] { clicked.push_back("setting"); };

    SendMessageW(item(close), BM_CLICK, 0, 0);
    SendMessageW(item(picture), BM_CLICK, 0, 0);
    SendMessageW(item(off), BM_CLICK, 0, 0);
    PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(close.controlId(), BN_CLICKED), 0);
    toolkit().dispatcher().processPendingMessages();

    EXPECT_EQ(clicked, (std::vector<std::string>{"close", "setting", "close"}));
    EXPECT_TRUE(off.checked());
    EXPECT_FALSE(on.checked());
    EXPECT_EQ(SendMessageW(item(on), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(item(off), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Win32ControlsTest, ListViewRowsAreRealListViewItems) {
    auto& list = form->addListView("spSkinListView1", {10, 10, 460, 150},
                                   {{L"Source Directory", 220}, {L"Destination Directory", 220}});
    HWND real = item(list);
    ASSERT_NE(real, nullptr);
    list.addRow(L"C:\\Data", {L"E:\\backup"});
    list.addRow(L"C:\\Work", {L"E:\\other"});
    list.setCell(1, 1, L"E:\\changed");

    EXPECT_EQ(SendMessageW(real, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(listCell(real, 0, 0), L"C:\\Data");
    EXPECT_EQ(listCell(real, 0, 1), L"E:\\backup");
    EXPECT_EQ(listCell(real, 1, 1), L"E:\\changed");

    list.deleteRow(0);
    EXPECT_EQ(listCell(real, 0, 0), L"C:\\Work");
    list.select(0);
    EXPECT_EQ(SendMessageW(real, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
    list.clear();
    EXPECT_EQ(SendMessageW(real, LVM_GETITEMCOUNT, 0, 0), 0);
}

TEST_F(Win32ControlsTest, PicturesAreDrawnOverTheirBackground) {
    auto& logo = form->addPicture("Image1", {54, 296, 128, 40},
                                  toolkit().pictures().get(picture_names::Logo));
    HWND real = item(logo);
    ASSERT_NE(real, nullptr);
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC dc = GetDC(real);
    COLORREF corner = GetPixel(dc, 0, 0);
    COLORREF mark = GetPixel(dc, win32::scaled(5, win32::dpiOfWindow(hwnd)),
                             win32::scaled(12, win32::dpiOfWindow(hwnd)));
    ReleaseDC(real, dc);
    EXPECT_EQ(corner, RGB(0xF3, 0xF6, 0xFA)) << "transparent pixels show the window";
    EXPECT_LT(GetRValue(mark), 0x80) << "the blue mark is drawn";
}

TEST_F(Win32ControlsTest, TypingAndProgressGoThroughTheRealWindows) {
    auto& name = form->addEdit("spSkinEdit2", {10, 10, 120, 21}, L"", 8);
    auto& bar = form->addProgressBar("JvXPProgressBar1", {10, 40, 300, 17});
    HWND edit = item(name);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"DISK1"));
    EXPECT_EQ(name.text(), L"DISK1");
    EXPECT_EQ(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0), 8);

    bar.setPosition(40);
    EXPECT_EQ(SendMessageW(item(bar), PBM_GETPOS, 0, 0), 40);
}

TEST_F(Win32ControlsTest, CloseRequestsAndHooksGoThroughTheModel) {
    form->onCloseQuery = [] { return false; };
    std::vector<RawMessage> seen;
    form->addMessageHook([&](const RawMessage& m) -> std::optional<std::intptr_t> {
        if (m.message != messages::QueryEndSession && m.message != messages::DeviceChange)
            return std::nullopt;
        seen.push_back(m);
        return m.message == messages::QueryEndSession ? std::optional<std::intptr_t>(1)
                                                      : std::nullopt;
    });

    SendMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(IsWindowVisible(hwnd)) << "the refused close leaves it shown";
    EXPECT_EQ(SendMessageW(hwnd, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), 1);
    SendMessageW(hwnd, WM_DEVICECHANGE, 0x8000, 0);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].lParam, static_cast<std::intptr_t>(ENDSESSION_LOGOFF));
    EXPECT_EQ(seen[1].wParam, 0x8000u);

    form->hide();
    EXPECT_FALSE(IsWindowVisible(hwnd));
}

TEST_F(Win32ControlsTest, TabMovesTheFocusEnterPressesTheDefaultAndEscTheCancelButton) {
    auto& name = form->addEdit("spSkinEdit2", {10, 10, 120, 23}, L"");
    auto& size = form->addEdit("spSkinEdit3", {10, 40, 120, 23}, L"");
    auto& ok = form->addButton("spSkinButton9", {10, 80, 75, 25}, L"OK");
    auto& cancel = form->addButton("spSkinButton10", {95, 80, 75, 25}, L"Cancel");
    ok.setDefault(true);
    cancel.setCancel(true);
    std::vector<std::string> pressed;
    ok.onClick = [&] { pressed.push_back("ok"); };
    cancel.onClick = [&] { pressed.push_back("cancel"); };
    auto key = [&](WPARAM code) {
        HWND focus = GetFocus();
        PostMessageW(focus, WM_KEYDOWN, code, 1);
        PostMessageW(focus, WM_KEYUP, code, 0xC0000001);
        toolkit().dispatcher().processPendingMessages();
    };

    SetForegroundWindow(hwnd);
    name.setFocus();
    ASSERT_EQ(GetFocus(), item(name));
    key(VK_TAB);
    EXPECT_EQ(GetFocus(), item(size));
    EXPECT_TRUE(size.focused()) << "the model follows the real focus";
    key(VK_RETURN);
    key(VK_ESCAPE);
    EXPECT_EQ(pressed, (std::vector<std::string>{"ok", "cancel"}));
}

TEST_F(Win32ControlsTest, TrayIconDoubleClickReachesTheModel) {
    auto tray = toolkit().createTrayIcon("spTrayIcon1", L"Stowkeep tray test",
                                         toolkit().pictures().get(picture_names::TrayIcon));
    int doubles = 0;
    tray->onDoubleClick = [&] { ++doubles; };
    tray->setVisible(true);
    HWND owner = FindWindowW(L"StowkeepMessageWindow", L"Stowkeep tray test");
    ASSERT_NE(owner, nullptr);
    EXPECT_FALSE(IsWindowVisible(owner)) << "only the icon shows";
    SendMessageW(owner, WM_APP + 10, 1, WM_LBUTTONDBLCLK);
    EXPECT_EQ(doubles, 1);
}

TEST_F(Win32ControlsTest, DispatcherServesWorkerSendsWhileWaiting) {
    Dispatcher& ui = toolkit().dispatcher();
    Signal finished;
    std::vector<int> order;
    DWORD ranOn = 0;
    std::thread worker([&] {
        EXPECT_TRUE(ui.send([&] {
            order.push_back(1);
            ranOn = GetCurrentThreadId();
        }));
        ui.post([&] { order.push_back(2); });
        finished.set();
    });
    ui.waitUntil(finished);
    worker.join();
    ui.processPendingMessages();
    EXPECT_EQ(order, (std::vector<int>{1, 2}));
    EXPECT_EQ(ranOn, GetCurrentThreadId());
}

TEST_F(Win32ControlsTest, AQuitTakenByANestedLoopStillEndsTheMainLoop) {
    Signal done;
    toolkit().dispatcher().post([&] {
        toolkit().quit(5);
        toolkit().dispatcher().processPendingMessages();
        done.set();
    });
    EXPECT_EQ(toolkit().run(), 5);
    EXPECT_TRUE(done.isSet());
}

TEST_F(Win32ControlsTest, TimersFireOnTheUiThread) {
    Signal fired;
    int ticks = 0;
    auto timer = toolkit().createTimer(std::chrono::milliseconds(10), [&] {
        if (++ticks == 3)
            fired.set();
    });
    timer->start();
    toolkit().dispatcher().waitUntil(fired);
    timer->stop();
    EXPECT_EQ(ticks, 3);
    EXPECT_FALSE(timer->running());
}

} // namespace
} // namespace stowkeep::ui
