#include "devicelib/button.h"
#include "library_fixture.h"

namespace stowkeep::hatchlink::testing {
namespace {

struct ButtonCase {
    std::uint8_t state;
    std::uint8_t seconds;
    std::int32_t code;
};

class DecodeButtonTest : public ::testing::TestWithParam<ButtonCase> {
  protected:
    void SetUp() override { ResetLibrary(true); }
};

TEST_P(DecodeButtonTest, GivesTheCodeOfStateAndSeconds) {
    const ButtonCase c = GetParam();
    EXPECT_EQ(DecodeButton(c.state, c.seconds), c.code)
        << "state " << int(c.state) << ", seconds " << int(c.seconds);
}

INSTANTIATE_TEST_SUITE_P(Codes, DecodeButtonTest,
                         ::testing::Values(ButtonCase{2, 0, 2}, ButtonCase{2, 1, 0},
                                           ButtonCase{5, 0, 5}, ButtonCase{255, 0, 255},
                                           ButtonCase{4, 0, 4}, ButtonCase{1, 1, 0},
                                           ButtonCase{1, 0, 0}, ButtonCase{1, 2, 4},
                                           ButtonCase{1, 255, 4}, ButtonCase{0, 9, 0},
                                           ButtonCase{0, 0, 0}));

} // namespace
} // namespace stowkeep::hatchlink::testing
