#include "sim/enclosure_state.h"

#include <gtest/gtest.h>

namespace stowkeep::sim {
namespace {

TEST(EnclosureState, WhatIsWrittenReadsBackTheSame) {
    const EnclosureState states[] = {
        {},
        {false, L'F', 7, true},
        {true, L'Z', 4000000000u, false},
    };
    for (const EnclosureState& state : states)
        EXPECT_EQ(ParseEnclosureState(FormatEnclosureState(state)), state);
}

TEST(EnclosureState, UnknownOrBadLinesLeaveTheDefaults) {
    struct Case {
        const char* text;
        EnclosureState expected;
    };
    const Case cases[] = {
        {"", {}},
        {"plugged 0\r\nletter G\r\npresses 3\r\nheld 1\r\n", {false, L'G', 3, true}},
        {"plugged 2\nletter e\nletter EF\npresses -1\nheld yes\n", {}},
        {"colour blue\npresses 12abc\nplugged\n", {}},
        {"presses 5", {true, L'E', 5, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseEnclosureState(c.text), c.expected);
    }
}

} // namespace
} // namespace stowkeep::sim
