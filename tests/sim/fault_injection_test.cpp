// Injected faults reach the application as the link would see them, and the link carries on.
#include <gtest/gtest.h>

#include <string>
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

// Frames answered by a processor without faults, to compare against.
Bytes CleanReply(const Frame& frame) {
    SimulatedProcessor clean;
    const Delivery delivery = clean.Answer(frame);
    return delivery.chunks.front().bytes;
}

// Everything the transport hands out until the queue is empty, read once per poll period the
// way the link reads, on virtual time.
std::vector<Bytes> ReadsAfter(InProcessTransport& transport, VirtualClock& clock, int totalMs) {
    std::vector<Bytes> reads;
    for (int elapsed = 0; elapsed <= totalMs; elapsed += DeviceLink::kPollPauseMs) {
        std::uint8_t buffer[64];
        const int n = transport.ReadAvailable(buffer, kFrameSize);
        if (n > 0)
            reads.emplace_back(buffer, buffer + n);
        clock.SleepMs(DeviceLink::kPollPauseMs);
    }
    return reads;
}

Bytes Joined(const std::vector<Bytes>& reads) {
    Bytes all;
    for (const Bytes& read : reads)
        all.insert(all.end(), read.begin(), read.end());
    return all;
}

struct FaultCase {
    std::string name;
    FaultKind kind;
    std::uint8_t hitResult;  // what the confirmed command that the fault hits returns
};

void PrintTo(const FaultCase& fault, std::ostream* out) {
    *out << fault.name;
}

class EveryFault : public ::testing::TestWithParam<FaultCase> {};

TEST_P(EveryFault, LeavesTheLinkUsableForTheNextExchange) {
    SimLink sim(ProcessorState{}, Always(GetParam().kind));
    EXPECT_EQ(sim.commands.SetMute(true), GetParam().hitResult);

    sim.processor.SetFaults(FaultInjector{});
    EXPECT_EQ(sim.commands.SetMute(false), kFrameSize);

    // Once what the fault left behind is drained, a query reads a clean reply.
    sim.clock.SleepMs(FaultInjector::kLateReplyMs + 1000);
    while (sim.link.DiscardReply() != 0) {
    }
    const Frame status = sim.Ask(kQueryStatus);
    EXPECT_EQ(status[0], kDeviceAddress);
    EXPECT_EQ(status[12], Checksum(status));
    EXPECT_TRUE(DecodeStatus(status).outputPresent[1]);
}

INSTANTIATE_TEST_SUITE_P(Faults, EveryFault,
                         ::testing::Values(FaultCase{"noreply", FaultKind::kNoReply, 0},
                                           FaultCase{"late", FaultKind::kLate, 0},
                                           FaultCase{"pieces", FaultKind::kPieces, 13},
                                           FaultCase{"extra", FaultKind::kExtra, 13},
                                           FaultCase{"badsum", FaultKind::kBadSum, 13},
                                           FaultCase{"drop", FaultKind::kDrop, 0},
                                           FaultCase{"garbage", FaultKind::kGarbage, 13}),
                         [](const auto& info) { return info.param.name; });

class FaultShapes : public ::testing::Test {
  protected:
    // Sends the status query under the fault and collects every read over 30 s of polls.
    std::vector<Bytes> ReadsUnder(FaultKind kind) {
        processor.SetFaults(Always(kind));
        transport.WriteFrame(status.data(), kFrameSize);
        clock.SleepMs(DeviceLink::kSendPauseMs);
        return ReadsAfter(transport, clock, 30000);
    }

    const Frame status = CommandFrame(kQuery, {kQueryStatus, 0});
    const Bytes clean = CleanReply(status);
    VirtualClock clock;
    SimulatedProcessor processor;
    InProcessTransport transport{processor, clock};
};

TEST_F(FaultShapes, PiecesArriveOnSuccessivePolls) {
    const auto reads = ReadsUnder(FaultKind::kPieces);
    ASSERT_EQ(reads.size(), 2u);
    EXPECT_LT(reads[0].size(), 13u);
    EXPECT_EQ(Joined(reads), clean);
}

TEST_F(FaultShapes, LateMissesTheShortWaitAndMeetsTheLongOne) {
    processor.SetFaults(Always(FaultKind::kLate));
    DeviceLink link(clock);
    link.AttachTransport(&transport);
    DeviceCommands commands(link);
    EXPECT_EQ(commands.SetMute(true), 0);
    clock.SleepMs(FaultInjector::kLateReplyMs);
    while (link.DiscardReply() != 0) {
    }
    const std::int64_t sent = clock.ElapsedMs();
    EXPECT_EQ(commands.SetApplicationMode(5), kFrameSize);  // long wait
    EXPECT_GE(clock.ElapsedMs() - sent, FaultInjector::kLateReplyMs);
}

TEST_F(FaultShapes, ExtraBytesFollowTheWholeReply) {
    const Bytes all = Joined(ReadsUnder(FaultKind::kExtra));
    ASSERT_GT(all.size(), 13u);
    ASSERT_LE(all.size(), 21u);
    EXPECT_EQ(Bytes(all.begin(), all.begin() + 13), clean);
}

TEST_F(FaultShapes, GarbageComesBeforeTheWholeReply) {
    const Bytes all = Joined(ReadsUnder(FaultKind::kGarbage));
    ASSERT_GT(all.size(), 13u);
    EXPECT_EQ(Bytes(all.end() - 13, all.end()), clean);
}

TEST_F(FaultShapes, BadSumSpoilsOnlyTheChecksum) {
    const Bytes all = Joined(ReadsUnder(FaultKind::kBadSum));
    ASSERT_EQ(all.size(), 13u);
    EXPECT_TRUE(std::equal(all.begin(), all.begin() + 12, clean.begin()));
    EXPECT_NE(all[12], clean[12]);
}

TEST_F(FaultShapes, NoReplyMeansNothingAtAll) {
    EXPECT_TRUE(ReadsUnder(FaultKind::kNoReply).empty());
}

TEST_F(FaultShapes, DropLosesWhatWasQueuedToo) {
    transport.WriteFrame(status.data(), kFrameSize);  // answered, not yet read
    EXPECT_TRUE(ReadsUnder(FaultKind::kDrop).empty());
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
