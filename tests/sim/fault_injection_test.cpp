// Injected faults reach the application as the link would see them, and the link carries on.
#include <gtest/gtest.h>

#include <vector>

#include "commands/reply_decoders.h"
#include "sim_link.h"

namespace hsq::sim {
namespace {

using testing::CommandFrame;
using testing::SimLink;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint64_t kSeed = 1;

FaultInjector Always(FaultKind kind) {
    return FaultInjector({{kind, 1.0}}, kSeed);
}

class FaultShapes : public ::testing::Test {
  protected:
    // Sends the status query under the fault and joins every read over 30 s of polls, made once
    // per poll period the way the link reads, on virtual time.
    Bytes ReadUnder(FaultKind kind, std::size_t* reads = nullptr) {
        processor.SetFaults(Always(kind));
        transport.WriteFrame(status.data(), kFrameSize);
        clock.SleepMs(DeviceLink::kSendPauseMs);
        Bytes all;
        for (int elapsed = 0; elapsed <= 30000; elapsed += DeviceLink::kPollPauseMs) {
            std::uint8_t buffer[64];
            const int n = transport.ReadAvailable(buffer, kFrameSize);
            if (n > 0 && reads != nullptr)
                ++*reads;
            all.insert(all.end(), buffer, buffer + std::max(n, 0));
            clock.SleepMs(DeviceLink::kPollPauseMs);
        }
        return all;
    }

    const Frame status = CommandFrame(kQuery, {kQueryStatus, 0});
    const Bytes clean = SimulatedProcessor{}.Answer(status).chunks.front().bytes;
    VirtualClock clock;
    SimulatedProcessor processor;
    InProcessTransport transport{processor, clock};
};

TEST_F(FaultShapes, EachFaultShapesTheReplyItsWay) {
    transport.WriteFrame(status.data(), kFrameSize);  // answered, not yet read: drop loses it too
    EXPECT_TRUE(ReadUnder(FaultKind::kDrop).empty());

    std::size_t reads = 0;
    EXPECT_EQ(ReadUnder(FaultKind::kPieces, &reads), clean);
    EXPECT_EQ(reads, 2u) << "pieces arrive on successive polls";

    const Bytes extra = ReadUnder(FaultKind::kExtra);
    ASSERT_GT(extra.size(), 13u);
    ASSERT_LE(extra.size(), 21u);
    EXPECT_EQ(Bytes(extra.begin(), extra.begin() + 13), clean);

    const Bytes garbage = ReadUnder(FaultKind::kGarbage);
    ASSERT_GT(garbage.size(), 13u);
    EXPECT_EQ(Bytes(garbage.end() - 13, garbage.end()), clean);

    const Bytes badSum = ReadUnder(FaultKind::kBadSum);
    ASSERT_EQ(badSum.size(), 13u);
    EXPECT_TRUE(std::equal(badSum.begin(), badSum.begin() + 12, clean.begin()));
    EXPECT_NE(badSum[12], clean[12]);

    EXPECT_TRUE(ReadUnder(FaultKind::kNoReply).empty());
}

TEST(LateFault, MissesTheShortWaitAndMeetsTheLongOne) {
    SimLink sim(ProcessorState{}, Always(FaultKind::kLate));
    EXPECT_EQ(sim.commands.SetMute(true), 0);
    sim.clock.SleepMs(FaultInjector::kLateReplyMs);
    while (sim.link.DiscardReply() != 0) {
    }
    const std::int64_t sent = sim.clock.ElapsedMs();
    EXPECT_EQ(sim.commands.SetApplicationMode(5), kFrameSize);  // long wait
    EXPECT_GE(sim.clock.ElapsedMs() - sent, FaultInjector::kLateReplyMs);
}

std::vector<bool> HitPattern(double rate, std::uint64_t seed) {
    FaultInjector faults({{FaultKind::kNoReply, rate}}, seed);
    std::vector<bool> hits;
    for (int i = 0; i < 64; ++i)
        hits.push_back(faults.Deliver(Frame{}).chunks.empty());
    return hits;
}

TEST(FaultRate, SameSeedSamePatternAndRateBounds) {
    const auto pattern = HitPattern(0.5, 7);
    EXPECT_EQ(pattern, HitPattern(0.5, 7));
    EXPECT_NE(pattern, HitPattern(0.5, 8));
    const auto hits = std::count(pattern.begin(), pattern.end(), true);
    EXPECT_GT(hits, 10);
    EXPECT_LT(hits, 54);
    EXPECT_EQ(HitPattern(0.0, 7), std::vector<bool>(64, false));
    EXPECT_EQ(HitPattern(1.0, 7), std::vector<bool>(64, true));
}

}  // namespace
}  // namespace hsq::sim
