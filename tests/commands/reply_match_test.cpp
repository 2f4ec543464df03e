#include "commands/reply_match.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "commands/reply_decoders.h"

namespace hsq {
namespace {

// A reply from the processor with the given bytes set, the others zero.
Frame ReplyWith(std::initializer_list<std::pair<int, int>> bytes) {
    Frame reply{0x86, 0x01, 0xFE};
    for (const auto& [index, value] : bytes)
        reply[index] = static_cast<std::uint8_t>(value);
    return reply;
}

struct MatchCase {
    const char* name;
    std::uint8_t selector;
    std::uint8_t argument;
    Frame reply;
    bool answers;
};

class ReplyMatchTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(ReplyMatchTest, JudgesByTheFieldsTheReplyCarries) {
    const MatchCase& c = GetParam();
    EXPECT_EQ(AnswersQuery(c.selector, c.argument, c.reply), c.answers);
}

// Mode 3, image 2, board L: 3 x 16 + 2 x 4 + 1.
constexpr std::uint8_t kM3I2L = 0x39;
const Frame kWindowOfM3I2L = ReplyWith({{3, 9}, {4, 1 << 6}, {6, 2 << 6}, {8, 3 << 4}});

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplyMatchTest,
    ::testing::Values(
        MatchCase{"WindowOfTheImageAsked", 9, kM3I2L, kWindowOfM3I2L, true},
        MatchCase{"AnotherSelectorRepeated", 10, kM3I2L, kWindowOfM3I2L, false},
        MatchCase{"AnotherBoard", 9, kM3I2L, ReplyWith({{3, 9}, {6, 2 << 6}, {8, 3 << 4}}), false},
        MatchCase{"AnotherImage", 9, kM3I2L,
                  ReplyWith({{3, 9}, {4, 1 << 6}, {6, 1 << 6}, {8, 3 << 4}}), false},
        MatchCase{"AnotherMode", 9, kM3I2L,
                  ReplyWith({{3, 9}, {4, 1 << 6}, {6, 2 << 6}, {8, 4 << 4}}), false},
        MatchCase{"NotFromTheProcessor", 0, 0, Frame{0x85, 0x01, 0xFE}, false},
        // The mode report names the mode in force, whichever mode was asked about.
        MatchCase{"ModeReportOfAnotherMode", 11, 0x31, ReplyWith({{3, 11}, {4, 1}, {5, 0x72}}),
                  true},
        MatchCase{"ModeReportOfAnotherBoard", 11, 0x31, ReplyWith({{3, 11}, {5, 0x32}}), false},
        MatchCase{"BorderOfTheImageAsked", 13, 0x0C, ReplyWith({{3, 13}, {4, 3 << 2}}), true},
        MatchCase{"BorderOfAnotherImage", 13, 0x0C, ReplyWith({{3, 13}, {4, 2 << 2}}), false},
        MatchCase{"BrightnessWithoutItsSelector", 14, 0x01, ReplyWith({{4, 1}}), false},
        MatchCase{"CardAsked", 8, 2, ReplyWith({{4, 2 << 6 | 0x20}}), true},
        MatchCase{"AnotherCard", 6, 2, ReplyWith({{4, 1 << 6}}), false},
        MatchCase{"BankModeOfTheBoardAsked", 20, 0x51, ReplyWith({{4, 0x51}}), true},
        MatchCase{"BankModeOfAnotherMode", 20, 0x51, ReplyWith({{4, 0x61}}), false},
        MatchCase{"BankWindowWithoutEcho", 22, kM3I2L, ReplyWith({{4, 1 << 6}, {6, 2 << 6}, {8, 3 << 4}}),
                  true},
        MatchCase{"StatusNamesNothing", 0, 0, ReplyWith({{4, 0x3F}}), true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace hsq
