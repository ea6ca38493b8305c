#include "ui/foreground.h"
#include "ui/headless/headless_toolkit.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

namespace stowkeep::ui {
namespace {

// A desktop whose foreground thread cannot be joined (another desktop, a journal hook).
class UnjoinableDesktop : public HeadlessDesktop {
  public:
    bool attachInput(Handle, bool) override { return false; }
};

class ForegroundTest : public ::testing::Test {
  protected:
    HeadlessToolkit toolkit;
    HeadlessDesktop& desktop = toolkit.desktop();
    std::unique_ptr<Window> form = toolkit.createWindow("Form1", {L"Stowkeep", 100, 100});
    std::unique_ptr<Window> box =
        toolkit.createWindow("Box", {L"Warning", 50, 50, Frame::Dialog, false, form.get()});
    static ForegroundSeam::Handle handle(const Window& window) {
        return reinterpret_cast<ForegroundSeam::Handle>(&window);
    }
};

TEST_F(ForegroundTest, PlainRequestIsRefusedWhileTheUserWorksElsewhere) {
    form->show();
    desktop.userWorksElsewhere();
    EXPECT_FALSE(desktop.setForeground(handle(*form)));
    EXPECT_TRUE(desktop.otherProgramInFront());
}

TEST_F(ForegroundTest, WindowsComeToTheFrontAlsoOverAnotherProgram) {
    struct Case {
        const char* what;
        bool shownBefore;
        void (*act)(Window&);
    };
    const Case cases[] = {
        {"shown", false, [](Window& w) { w.show(); }},
        {"restored", false, [](Window& w) { w.restore(); }},
        {"brought to the front", true, [](Window& w) { w.bringToFront(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        form->setVisible(c.shownBefore);
        desktop.userWorksElsewhere();
        c.act(*form);
        EXPECT_EQ(desktop.foregroundWindow(), form.get());
        EXPECT_TRUE(desktop.requests().back().taken);
        EXPECT_FALSE(desktop.inputAttached()) << "input joined only for the request";
    }
    EXPECT_TRUE(desktop.flashed().empty());
}

TEST_F(ForegroundTest, AnsweredBoxHandsTheForegroundBack) {
    form->show();
    desktop.userWorksElsewhere();
    box->show();
    EXPECT_EQ(desktop.foregroundWindow(), box.get());
    box->hide();
    EXPECT_TRUE(desktop.otherProgramInFront()) << "the main window never got it";
    form->restore();
    box->show();
    box->hide();
    EXPECT_EQ(desktop.foregroundWindow(), form.get());
}

TEST(ForegroundRefusedTest, RefusedWindowFlashes) {
    UnjoinableDesktop desktop;
    HeadlessToolkit toolkit;
    auto form = toolkit.createWindow("Form1", {L"Stowkeep", 100, 100});
    desktop.userWorksElsewhere();
    const auto window = reinterpret_cast<ForegroundSeam::Handle>(form.get());
    EXPECT_EQ(takeForeground(desktop, window), ForegroundOutcome::Flashed);
    EXPECT_EQ(desktop.flashed(), std::vector<std::string>{"Form1"});
    EXPECT_TRUE(desktop.otherProgramInFront());
}

} // namespace
} // namespace stowkeep::ui
