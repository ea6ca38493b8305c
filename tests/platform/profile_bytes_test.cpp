#include "platform/fake/profile_bytes.h"

#include <gtest/gtest.h>

namespace stowkeep::platform::fake {
namespace {

// The in-memory ANSI code page is Windows-1252: Latin-1 and the code page's
// own characters in 0x80..0x9F are held, everything else is not.
struct HoldCase {
    const wchar_t* text;
    bool holds;
};

const HoldCase kHoldCases[] = {
    {L"", true},
    {L"C:\\Users\\Me\\Café ÿ", true},
    {L"€ ‰ Ÿ", true},
    {L"Ā", false},
    {L"C:\\Фото", false},
    {L"日本", false},
    {L"\U0001F4F7", false},
};

TEST(ProfileBytesTest, AnsiCodePageHoldsLatin1AndItsOwnCharactersOnly) {
    for (const HoldCase& c : kHoldCases) {
        EXPECT_EQ(AnsiHolds(c.text), c.holds) << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(ProfileBytesTest, AnsiFileLosesWhatItsCodePageLacksAsQuestionMarks) {
    const std::string bytes = EncodeProfileText(L"Café € Фото \U0001F4F7", ProfileEncoding::Ansi);
    EXPECT_EQ(bytes, "Caf\xE9 \x80 ???? ?");
    EXPECT_EQ(EncodingOf(bytes), ProfileEncoding::Ansi);
    EXPECT_EQ(DecodeProfileBytes(bytes), L"Café € ???? ?");
    // Bytes the code page leaves undefined come back as they went in.
    EXPECT_EQ(EncodeProfileText(DecodeProfileBytes("\x81\x8D\x8F\x90\x9D"), ProfileEncoding::Ansi),
              "\x81\x8D\x8F\x90\x9D");
}

TEST(ProfileBytesTest, Utf16FileKeepsEveryCharacterAfterItsMark) {
    const std::wstring text = L"A日\U0001F4F7";
    const std::string bytes = EncodeProfileText(text, ProfileEncoding::Utf16);
    EXPECT_EQ(bytes, std::string("\xFF\xFE"
                                 "A\0\xE5\x65\x3D\xD8\xF7\xDC",
                                 10));
    EXPECT_EQ(EncodingOf(bytes), ProfileEncoding::Utf16);
    EXPECT_EQ(DecodeProfileBytes(bytes), text);
    EXPECT_EQ(DecodeProfileBytes("\xFF\xFE"), L"");
}

} // namespace
} // namespace stowkeep::platform::fake
