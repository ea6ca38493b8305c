#include "images/file_name_rule.h"

#include <gtest/gtest.h>

namespace stowkeep::images {
namespace {

struct NameCase {
    const wchar_t* name;
    bool usable;
};

class FileNameRule : public testing::TestWithParam<NameCase> {};

TEST_P(FileNameRule, DecidesWhetherTheNameStaysInsideTheFolder) {
    EXPECT_EQ(IsUsableFileName(GetParam().name), GetParam().usable);
}

INSTANTIATE_TEST_SUITE_P(
    Names, FileNameRule,
    testing::Values(NameCase{L"DISK1", true}, NameCase{L" disk1", true}, NameCase{L"a.b", true},
                    NameCase{L"CONSOLE", true}, NameCase{L"COM0", true}, NameCase{L"LPT10", true},
                    NameCase{L"...", true}, NameCase{L"..\\x", false}, NameCase{L"a/b", false},
                    NameCase{L"a:b", false}, NameCase{L"C:", false}, NameCase{L"a*", false},
                    NameCase{L"a?", false}, NameCase{L"\"a\"", false}, NameCase{L"<a>", false},
                    NameCase{L"a|b", false}, NameCase{L"a\tb", false}, NameCase{L".", false},
                    NameCase{L"..", false}, NameCase{L"CON", false}, NameCase{L"con", false},
                    NameCase{L"Nul", false}, NameCase{L"aux", false}, NameCase{L"PRN", false},
                    NameCase{L"COM1", false}, NameCase{L"lpt9", false}, NameCase{L"NUL ", false},
                    NameCase{L"CON.x", false}));

} // namespace
} // namespace stowkeep::images
