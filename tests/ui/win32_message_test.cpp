#include "tests/ui/win32_probe.h"
#include "ui/ui.h"
#include "ui/win32/win32_toolkit.h"
#include "ui/win32/windows_api.h"

#include <gtest/gtest.h>

namespace stowkeep::ui {
namespace {

using namespace probe;

struct SeenBox {
    std::wstring caption;
    std::vector<std::wstring> texts;   // visible texts that are not buttons
    std::vector<std::wstring> buttons; // button captions
    bool ownerDisabled = false;
};

class Win32MessageTest : public ::testing::Test {
  protected:
    static Win32Toolkit& toolkit() {
        static Win32Toolkit instance;
        return instance;
    }

    // Queues the answer before the box opens: the box's own message loop runs it, finds the
    // box by caption, reads it and presses a button the way a user would.
    void answerWith(std::wstring caption, const wchar_t* button, UINT viaCommand = 0) {
        toolkit().dispatcher().post([this, caption, button, viaCommand] {
            auto boxes = threadWindows(caption);
            ASSERT_EQ(boxes.size(), 1u);
            HWND found = boxes[0];
            seen.caption = caption;
            for (HWND child : descendants(found)) {
                if (!IsWindowVisible(child) || textOf(child).empty())
                    continue;
                (classOf(child) == L"Button" ? seen.buttons : seen.texts).push_back(textOf(child));
            }
            seen.ownerDisabled = !IsWindowEnabled(ownerHwnd);
            if (viaCommand)
                PostMessageW(found, WM_COMMAND, viaCommand, 0);
            else
                PostMessageW(childWithText(found, button), BM_CLICK, 0, 0);
        });
    }

    void SetUp() override {
        owner = toolkit().createWindow("Form1", {L"Stowkeep (KD-RX710)", 531, 363});
        owner->show();
        ownerHwnd = FindWindowW(L"StowkeepWindow", L"Stowkeep (KD-RX710)");
        box = toolkit().createMessageDialog(owner.get(), L"Stowkeep");
    }

    std::unique_ptr<Window> owner;
    HWND ownerHwnd = nullptr;
    std::unique_ptr<MessageDialog> box;
    SeenBox seen;
};

TEST_F(Win32MessageTest, BoxesCarryTheirCaptionTextAndButtonsAndReturnThePress) {
    const struct {
        MessageKind kind;
        MessageButtons buttons;
        const wchar_t* press;
        const wchar_t* caption;
        std::vector<std::wstring> captions;
        Answer expected;
    } cases[] = {
        {MessageKind::Notice, MessageButtons::Ok, L"OK", L"Stowkeep", {L"OK"}, Answer::Ok},
        {MessageKind::Confirmation,
         MessageButtons::YesNo,
         L"Yes",
         L"Stowkeep",
         {L"Yes", L"No"},
         Answer::Yes},
        {MessageKind::Warning,
         MessageButtons::YesNo,
         L"No",
         L"Warning",
         {L"Yes", L"No"},
         Answer::No},
        {MessageKind::Error, MessageButtons::Ok, L"OK", L"Stowkeep", {L"OK"}, Answer::Ok},
    };
    for (const auto& c : cases) {
        seen = {};
        const std::wstring text =
            L"If you want to overwrite, then click \"Yes\". Otherwise, click \"No\"";
        answerWith(c.caption, c.press);
        EXPECT_EQ(box->show(text, c.kind, c.buttons), c.expected);
        EXPECT_EQ(seen.caption, c.caption);
        EXPECT_EQ(seen.texts, std::vector<std::wstring>{text});
        EXPECT_EQ(seen.buttons, c.captions);
        EXPECT_TRUE(seen.ownerDisabled) << "the box is modal";
        EXPECT_TRUE(IsWindowEnabled(ownerHwnd)) << "and gives the owner back";
        EXPECT_TRUE(threadWindows(c.caption).empty()) << "the box is gone";
    }
}

TEST_F(Win32MessageTest, EnterPressesTheFirstButtonAndEscTheLast) {
    answerWith(L"Warning", nullptr, IDOK);
    EXPECT_EQ(box->warn(L"Overwrite?"), Answer::Yes);
    answerWith(L"Warning", nullptr, IDCANCEL);
    EXPECT_EQ(box->warn(L"Overwrite?"), Answer::No);
}

} // namespace
} // namespace stowkeep::ui
