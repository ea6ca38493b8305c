#include "ui/headless/headless_toolkit.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

namespace stowkeep::ui {
namespace {

TEST(MessageDialogTest, RecordsEveryBoxWithItsCaptionKindButtonsAndAnswer) {
    HeadlessToolkit toolkit;
    auto owner = toolkit.createWindow("Form1", {L"Stowkeep (KD-RX710)", 531, 363});
    auto box = toolkit.createMessageDialog(owner.get(), L"Stowkeep");
    box->notice(L"Setting is completed.");
    toolkit.messages().answerNext(Answer::No);
    EXPECT_EQ(box->warn(L"Overwrite?"), Answer::No);
    EXPECT_EQ(box->confirm(L"Go on?"), Answer::Yes) << "unscripted: the first button";
    box->error(L"File create is Not Completed.");

    const std::vector<RecordedMessage> expected{
        {L"Stowkeep", L"Setting is completed.", MessageKind::Notice, MessageButtons::Ok,
         Answer::Ok},
        {L"Warning", L"Overwrite?", MessageKind::Warning, MessageButtons::YesNo, Answer::No},
        {L"Stowkeep", L"Go on?", MessageKind::Confirmation, MessageButtons::YesNo, Answer::Yes},
        {L"Stowkeep", L"File create is Not Completed.", MessageKind::Error, MessageButtons::Ok,
         Answer::Ok},
    };
    EXPECT_EQ(toolkit.messages().shown(), expected);
}

TEST(MessageDialogTest, AScriptedAnswerThatTheBoxCannotGiveIsATestError) {
    HeadlessToolkit toolkit;
    auto box = toolkit.createMessageDialog(nullptr, L"Stowkeep");
    toolkit.messages().answerNext(Answer::Yes);
    EXPECT_THROW(box->notice(L"Please connect device."), std::logic_error);
}

TEST(TimerTest, AnimationStepsThroughItsFramesWhileRunning) {
    HeadlessToolkit toolkit;
    auto wait = toolkit.createWindow("Form4", {L"", 245, 97, Frame::RoundedPopup});
    auto& busy =
        wait->addPicture("Image1", {96, 8, 50, 50}, toolkit.pictures().get(picture_names::Busy));
    int frames = busy.picture()->frameCount();
    ASSERT_GT(frames, 1);

    busy.startAnimation();
    EXPECT_TRUE(busy.animating());
    for (int i = 0; i < frames + 1; ++i)
        toolkit.tickTimers();
    EXPECT_EQ(busy.frame(), 1) << "wraps after the last frame";
    busy.stopAnimation();
    toolkit.tickTimers();
    EXPECT_EQ(busy.frame(), 1);
    EXPECT_EQ(toolkit.runningTimers(), 0);
    busy.startAnimation();
    EXPECT_EQ(busy.frame(), 0) << "each start begins at the first frame";
}

TEST(TimerTest, OnlyStartedTimersFire) {
    HeadlessToolkit toolkit;
    int fired = 0;
    auto timer = toolkit.createTimer(std::chrono::milliseconds(1000), [&] { ++fired; });
    toolkit.tickTimers();
    timer->start();
    toolkit.tickTimers();
    toolkit.tickTimers();
    timer->stop();
    toolkit.tickTimers();
    EXPECT_EQ(fired, 2);
}

TEST(TrayIconTest, MenuItemsRunTheirHandlersInOrderOfCreation) {
    HeadlessToolkit toolkit;
    auto tray = toolkit.createTrayIcon("spTrayIcon1", L"Stowkeep",
                                       toolkit.pictures().get(picture_names::TrayIcon));
    std::vector<std::string> clicked;
    for (auto* name : {"About1", "Main1", "Exit1"})
        tray->addMenuItem(name, L"caption", [&clicked, name] { clicked.push_back(name); });
    int doubles = 0;
    tray->onDoubleClick = [&] { ++doubles; };

    EXPECT_FALSE(tray->visible());
    EXPECT_TRUE(tray->clickMenuItem("Main1"));
    EXPECT_FALSE(tray->clickMenuItem("Missing"));
    tray->doubleClick();
    EXPECT_EQ(clicked, std::vector<std::string>{"Main1"});
    EXPECT_EQ(doubles, 1);
    ASSERT_EQ(tray->menuItems().size(), 3u);
    EXPECT_EQ(tray->menuItems()[2].name, "Exit1");
}

} // namespace
} // namespace stowkeep::ui
