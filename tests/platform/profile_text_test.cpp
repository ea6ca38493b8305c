#include "platform/fake/profile_text.h"

#include <gtest/gtest.h>

namespace stowkeep::platform::fake {
namespace {

// The in-memory file keeps the lines it does not change exactly as they were,
// as a hand-edited file on the real system keeps them.
struct SetCase {
    const char* name;
    const wchar_t* before;
    const wchar_t* section;
    const wchar_t* key;
    const wchar_t* value;
    const wchar_t* after;
};

const SetCase kSetCases[] = {
    {"EmptyTextGetsSectionAndKey", L"", L"Auto", L"Run", L"on", L"[Auto]\r\nRun=on\r\n"},
    {"KeyChangedInPlaceKeepingItsSpelling", L"; mine\n[AUTO]\nrun = off\n\nBackUp=on\n", L"auto",
     L"RUN", L"on", L"; mine\r\n[AUTO]\r\nrun=on\r\n\r\nBackUp=on\r\n"},
    {"NewKeyGoesAfterTheSectionsLastKey", L"[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", L"a", L"z", L"3",
     L"[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
    {"NewSectionGoesAtTheEnd", L"[A]\r\nx=1", L"B", L"y", L"2", L"[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
    {"KeyWithoutEqualsGetsAValue", L"[A]\r\nlonely\r\n", L"A", L"LONELY", L"1",
     L"[A]\r\nlonely=1\r\n"},
    {"LeadingBlanksOfTheValueAreDropped", L"", L"A", L"k", L"  v ", L"[A]\r\nk=v \r\n"},
    {"OnlyTheFirstSectionOfANameCounts", L"[A]\r\n[B]\r\n[a]\r\nk=old\r\n", L"A", L"k", L"new",
     L"[A]\r\nk=new\r\n[B]\r\n[a]\r\nk=old\r\n"},
};

class SetProfileValueTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(SetProfileValueTest, ChangesOnlyWhatItMust) {
    const SetCase& c = GetParam();
    EXPECT_EQ(SetProfileValue(c.before, c.section, c.key, c.value), c.after);
}

INSTANTIATE_TEST_SUITE_P(Layouts, SetProfileValueTest, ::testing::ValuesIn(kSetCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(FindProfileValueTest, FirstSectionAndFirstKeyOfANameWin) {
    const std::wstring text = L"[A]\r\nk=1\r\nK=2\r\n[a]\r\nk=3\r\nother=4\r\n";
    EXPECT_EQ(FindProfileValue(text, L"a", L"k"), L"1");
    EXPECT_FALSE(FindProfileValue(text, L"A", L"other").has_value());
}

TEST(FindProfileValueTest, BracketsAndEqualsInsideValuesAreKept) {
    const std::wstring text = L"[S]\nk= a=b [c] \nname]=x\n[T]x\n";
    EXPECT_EQ(FindProfileValue(text, L"S", L"k"), L"a=b [c]");
    EXPECT_EQ(FindProfileValue(text, L"S", L"name]"), L"x");
    EXPECT_FALSE(FindProfileValue(text, L"T", L"x").has_value());
}

} // namespace
} // namespace stowkeep::platform::fake
