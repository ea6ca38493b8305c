#include "tests/app/app_world.h"

#include <gtest/gtest.h>

namespace stowkeep::app {
namespace {

using testing::AppWorld;
using Texts = std::vector<std::wstring>;
using Calls = std::vector<std::string>;

const std::wstring kQuestion = L"Are you sure to do Safe Removal?";
const std::wstring kUnavailable =
    L"Safe Removal is not available: Hatchlink.dll is missing or damaged.";

TEST(SafeRemoval, AsksThenTellsTheLibrarysAnswer) {
    struct Case {
        const char* what;
        ui::Answer answer;
        std::int32_t result;
        Texts texts;
        Calls calls;
    };
    const Case cases[] = {
        {"No calls nothing", ui::Answer::No, 1, {kQuestion}, {"DllSet"}},
        {"box closed calls nothing", ui::Answer::Closed, 1, {kQuestion}, {"DllSet"}},
        {"removed",
         ui::Answer::Yes,
         1,
         {kQuestion, L"Safe Removal is completed."},
         {"DllSet", "SafelyRemove"}},
        {"low byte set, high bits too",
         ui::Answer::Yes,
         0x7F01,
         {kQuestion, L"Safe Removal is completed."},
         {"DllSet", "SafelyRemove"}},
        {"refused",
         ui::Answer::Yes,
         0,
         {kQuestion, L"Please redo Safe Removal."},
         {"DllSet", "SafelyRemove"}},
        {"only high bits",
         ui::Answer::Yes,
         0x100,
         {kQuestion, L"Please redo Safe Removal."},
         {"DllSet", "SafelyRemove"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AppWorld world;
        world.PutLibrary();
        world.safelyRemoveResult = c.result;
        world.Start();
        world.form1->State().DeviceState = L"ok";
        world.toolkit.messages().answerNext(c.answer);
        world.form1->Image19Click();
        EXPECT_EQ(world.toolkit.messages().texts(), c.texts);
        EXPECT_EQ(world.libraryCalls, c.calls);
        const auto& shown = world.toolkit.messages().shown();
        EXPECT_EQ(shown.front().kind, ui::MessageKind::Confirmation);
        EXPECT_EQ(shown.front().buttons, ui::MessageButtons::YesNo);
        if (shown.size() > 1) {
            EXPECT_EQ(shown.back().kind, ui::MessageKind::Notice);
            EXPECT_EQ(shown.back().buttons, ui::MessageButtons::Ok);
        }
        EXPECT_EQ(world.form1->State().DeviceState, L"ok"); // left to the device search
    }
}

TEST(SafeRemoval, IgnoredUnlessExactlyOneEnclosureIsThere) {
    for (const wchar_t* state : {L"non", L"over", L"OK"}) {
        AppWorld world;
        world.PutLibrary();
        world.Start();
        world.form1->State().DeviceState = state;
        world.form1->Image19Click();
        EXPECT_TRUE(world.toolkit.messages().shown().empty());
        EXPECT_EQ(world.libraryCalls, (Calls{"DllSet"}));
    }
}

TEST(SafeRemoval, WithoutAUsableLibraryTheUserIsToldWhy) {
    struct Case {
        const char* what;
        bool libraryThere;
        std::vector<std::string> exports;
    };
    const Case cases[] = {
        {"library missing", false, {}},
        {"export missing", true, {"DllSet", "ButtonStatus", "DllEnd"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        AppWorld world;
        if (c.libraryThere)
            world.PutLibrary(c.exports);
        world.Start();
        world.form1->State().DeviceState = L"ok";
        world.form1->Image19Click();
        ASSERT_EQ(world.toolkit.messages().texts(), (Texts{kUnavailable}));
        EXPECT_EQ(world.toolkit.messages().shown()[0].kind, ui::MessageKind::Notice);
        EXPECT_EQ(world.toolkit.messages().shown()[0].caption, L"Stowkeep(KD-RX710)");
    }
}

TEST(SafeRemoval, ARefusedRemovalCanBeRepeated) {
    AppWorld world;
    world.PutLibrary();
    world.safelyRemoveResult = 0;
    world.Start();
    world.form1->State().DeviceState = L"ok";
    world.form1->Page0().ShowDevicePictures(true);
    world.form1->Image19Click();
    world.safelyRemoveResult = 1;
    world.Button("Image19").click();
    EXPECT_EQ(world.toolkit.messages().texts(), (Texts{kQuestion, L"Please redo Safe Removal.",
                                                       kQuestion, L"Safe Removal is completed."}));
}

} // namespace
} // namespace stowkeep::app
