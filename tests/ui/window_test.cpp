#include "ui/headless/headless_toolkit.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

namespace stowkeep::ui {
namespace {

class WindowTest : public ::testing::Test {
  protected:
    HeadlessToolkit toolkit;
    std::unique_ptr<Window> form =
        toolkit.createWindow("Form1", {L"Stowkeep (KD-RX710)", 531, 363, Frame::Standard, true});
};

TEST_F(WindowTest, StartsHiddenAndRaisesOnShowOnEveryShowing) {
    int shows = 0;
    form->onShow = [&] { ++shows; };
    EXPECT_FALSE(form->shown());
    form->bringToFront();
    EXPECT_FALSE(form->shown()) << "bringing to front does not show";
    form->show();
    form->show();
    form->hide();
    form->restore();
    EXPECT_TRUE(form->shown());
    EXPECT_TRUE(form->everShown());
    EXPECT_EQ(shows, 2);
    EXPECT_EQ(form->bounds(), (Rect{0, 0, 531, 363}));
    EXPECT_EQ(form->text(), L"Stowkeep (KD-RX710)");
}

TEST_F(WindowTest, CloseRequestCanBeRefused) {
    bool allow = false;
    int closes = 0;
    form->onCloseQuery = [&] { return allow; };
    form->onClose = [&] { ++closes; };
    form->show();

    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->shown());
    allow = true;
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->shown());
    EXPECT_EQ(closes, 1);
}

TEST_F(WindowTest, MinimiseRunsItsHandlerOrHides) {
    form->show();
    form->minimise();
    EXPECT_FALSE(form->shown());
    int minimised = 0;
    form->onMinimise = [&] { ++minimised; };
    form->show();
    form->minimise();
    EXPECT_EQ(minimised, 1);
    EXPECT_TRUE(form->shown());
}

TEST_F(WindowTest, MessageHooksSeeMessagesAndTheFirstAnswerWins) {
    std::vector<RawMessage> seen;
    form->addMessageHook([&](const RawMessage& m) -> std::optional<std::intptr_t> {
        seen.push_back(m);
        return std::nullopt;
    });
    form->addMessageHook([](const RawMessage& m) -> std::optional<std::intptr_t> {
        if (m.message == messages::QueryEndSession)
            return 1;
        return std::nullopt;
    });
    form->addMessageHook([](const RawMessage&) -> std::optional<std::intptr_t> { return 7; });

    EXPECT_EQ(form->deliver({messages::QueryEndSession, 0, 0x80000000}), 1);
    EXPECT_EQ(form->deliver({messages::DeviceChange, 0x8000, 42}), 7);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[1].wParam, 0x8000u);
    EXPECT_EQ(seen[1].lParam, 42);
}

TEST_F(WindowTest, FocusIsTrackedPerWindow) {
    auto& name = form->addEdit("Edit2", {0, 0, 80, 21}, L"");
    auto& size = form->addSpinEdit("SpinEdit1", {0, 30, 80, 21}, 0, 0, 10);
    name.setFocus();
    EXPECT_TRUE(name.focused());
    size.focusFromUser();
    EXPECT_FALSE(name.focused());
    EXPECT_EQ(form->focusedControl(), &size);
}

TEST_F(WindowTest, ControlIdsFollowCreationOrderWithinTheWindow) {
    auto& pages = form->addPageControl("PageControl1", {0, 0, 531, 363});
    auto& close =
        pages.addPage("TabSheet1").addButton("spSkinButton5", {430, 304, 75, 27}, L"Close");
    auto other = toolkit.createWindow("Form3", {L"About...", 379, 137, Frame::Dialog});
    auto& ok = other->addButton("spSkinButton1", {288, 96, 75, 25}, L"OK");

    EXPECT_EQ(pages.controlId(), 100);
    EXPECT_EQ(close.controlId(), 102);
    EXPECT_EQ(ok.controlId(), 100) << "each window counts on its own";
    EXPECT_EQ(form->controlById(102), &close);
    EXPECT_EQ(form->controlById(999), nullptr);
}

} // namespace
} // namespace stowkeep::ui
