#include "ui/headless/headless_toolkit.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

namespace stowkeep::ui {
namespace {

class TrayIconKeeperTest : public ::testing::Test {
  protected:
    HeadlessToolkit toolkit;
    HeadlessNotificationArea& shell = toolkit.notificationArea();
    std::unique_ptr<TrayIcon> tray = toolkit.createTrayIcon(
        "spTrayIcon1", L"Stowkeep", toolkit.pictures().get(picture_names::TrayIcon));
    using Icons = std::vector<std::wstring>;
};

TEST_F(TrayIconKeeperTest, IconFollowsTheModel) {
    EXPECT_EQ(shell.icons(), Icons{}) << "a tray icon starts hidden";
    tray->setVisible(true);
    EXPECT_EQ(shell.icons(), Icons{L"Stowkeep"});
    tray->setText(L"Stowkeep busy");
    EXPECT_EQ(shell.icons(), Icons{L"Stowkeep busy"});
    tray->setVisible(false);
    EXPECT_EQ(shell.icons(), Icons{});
    tray->setVisible(true);
    tray.reset();
    EXPECT_EQ(shell.icons(), Icons{});
    EXPECT_EQ(shell.adds(), 2);
    EXPECT_EQ(shell.removals(), 2);
}

// The shell forgets every icon when it restarts and tells the top-level windows; an
// elevated program hears it only through its opened message filter.
TEST_F(TrayIconKeeperTest, IconComesBackWhenTheShellRestarts) {
    tray->setVisible(true);
    shell.restart();
    EXPECT_EQ(shell.icons(), Icons{L"Stowkeep"});
    shell.restart();
    EXPECT_EQ(shell.icons(), Icons{L"Stowkeep"});
    EXPECT_EQ(shell.adds(), 3);
}

TEST_F(TrayIconKeeperTest, HiddenIconStaysAwayAfterARestart) {
    tray->setVisible(true);
    tray->setVisible(false);
    shell.restart();
    EXPECT_EQ(shell.icons(), Icons{});
    tray->setVisible(true);
    EXPECT_EQ(shell.icons(), Icons{L"Stowkeep"});
}

} // namespace
} // namespace stowkeep::ui
