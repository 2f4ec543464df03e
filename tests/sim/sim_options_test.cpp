// The command line of hsq2600-sim and its trace lines.
#include "sim/sim_options.h"

#include <gtest/gtest.h>

#include "link/command_frame.h"
#include "sim/traffic_trace.h"
#include "support/numbers.h"

namespace hsq::sim {
namespace {

using Args = std::vector<std::string>;
using hsq::testing::Numbers;

TEST(SimOptions, TakesEveryOption) {
    const auto options =
        ParseSimOptions({"--tcp", "0", "--pty", "--cards", "A,D,L", "--fault", "late:0.25",
                         "--fault", "drop", "--seed", "42", "--trace"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->tcpPort, 0);
    EXPECT_EQ(Numbers(options->pty, options->trace), Numbers(true, true));
    EXPECT_EQ(options->seed, 42u);
    EXPECT_EQ(options->cards.inputs, (std::array<bool, 4>{true, false, false, true}));
    EXPECT_EQ(options->cards.outputs, (std::array<bool, 2>{false, true}));
    EXPECT_EQ(options->faults,
              (std::vector<FaultRule>{{FaultKind::kLate, 0.25}, {FaultKind::kDrop, 1.0}}));
}

const Args kRefused[] = {
    {}, {"--trace"}, {"--cards", "A"}, {"--tcp"}, {"--tcp", "65536"}, {"--tcp", "-1"},
    {"--tcp", "12a"}, {"--tcp", ""}, {"--pty", "--cards", "A,X"}, {"--pty", "--cards", ""},
    {"--pty", "--cards", "A,,B"}, {"--pty", "--cards", "a"}, {"--pty", "--fault", "slow"},
    {"--pty", "--fault", "late:2"}, {"--pty", "--fault", "late:"}, {"--pty", "--fault", "late:nan"},
    {"--pty", "--fault", "late:0.5x"}, {"--pty", "--seed", "x"}, {"--pty", "--seed"},
    {"--pty", "pty"}, {"--pty", "--bogus"}, {"--pty", "--absent", "K"}, {"--pty", "--silent"}};

TEST(SimOptions, RefusesWhatItCannotTake) {
    for (const Args& args : kRefused)
        EXPECT_FALSE(ParseSimOptions(args)) << ::testing::PrintToString(args);
}

TEST(TraceLine, TrafficTraceStampsWithItsClock) {
    VirtualClock clock({2026, 1, 1, 23, 59, 59, 900});
    clock.SleepMs(150);
    char text[128] = {};
    std::FILE* out = fmemopen(text, sizeof text - 1, "w");
    ASSERT_NE(out, nullptr);
    TrafficTrace trace(clock, out);
    const std::uint8_t bytes[] = {0x86, 0x01};
    trace.Received(bytes);
    std::fclose(out);
    EXPECT_STREQ(text, "00:00:00-050 <- 86 01\n");
}

}  // namespace
}  // namespace hsq::sim
