// The link's traffic record: every frame and every reply, in order, whatever the line does.
#include <gtest/gtest.h>

#include <vector>

#include "link/remote_line.h"
#include "sim/sim_link.h"
#include "support/recording_transport.h"

namespace hsq {
namespace {

using sim::testing::SimLink;

TEST(TrafficRecord, KeepsOnlyTheNewestEntriesAndNothingWhileOff) {
    SimLink sim;
    const int exchanges = 1100;
    for (int i = 0; i < exchanges; ++i) ASSERT_EQ(sim.commands.SetMute(i % 2 == 0), kFrameSize);
    TrafficRing& ring = sim.link.Traffic();
    const std::vector<TrafficEntry> held = ring.All();
    ASSERT_EQ(held.size(), TrafficRing::kDefaultCapacity);
    EXPECT_EQ(held.front().number, 2 * exchanges - TrafficRing::kDefaultCapacity + 1);
    EXPECT_EQ(held.back().number, 2u * exchanges);
    EXPECT_EQ(held.back().bytes, BuildFrame(kDeviceAddress, 0xB4, {}));
    EXPECT_EQ(ring.Since(2 * exchanges - 3).size(), 3u);

    ring.SetRecording(false);
    sim.commands.SetMute(true);
    EXPECT_EQ(ring.LastNumber(), 2u * exchanges);
}

// A reply never read goes as dropped bytes before the next frame, never as that frame's answer.
TEST(TrafficRecord, AnUnreadReplyShowsAsDroppedBeforeTheNextFrame) {
    SimLink sim;
    sim.commands.AdcCalibrate(0);
    ASSERT_EQ(sim.commands.SetMute(true), kFrameSize);
    std::vector<TrafficOutcome> outcomes;
    for (const TrafficEntry& entry : sim.link.Traffic().All()) outcomes.push_back(entry.outcome);
    using enum TrafficOutcome;
    EXPECT_EQ(outcomes, (std::vector{Written, Discarded, Written, Complete}));
}

// The program holding the line: it answers a query, hands back part of a confirmation, and
// takes a frame that waits for nothing.
class ScriptedRemote final : public RemoteLine {
  public:
    std::uint8_t Carry(ExchangeKind kind, const Frame&, Frame& reply) override {
        if (kind == ExchangeKind::Send) return kFrameSize;
        reply = {0x86, 0x01, static_cast<std::uint8_t>(kind == ExchangeKind::Query ? 0xFE : 0x81)};
        return kind == ExchangeKind::Query ? kFrameSize : 0;
    }
    void Disconnect() override {}
};

// A reply that never came whole shows the last bytes that came of it, over a line of our own or
// through the program that holds the line.
TEST(TrafficRecord, ShowsWhatCameOfAReplyThatNeverCameWhole) {
    VirtualClock clock;
    testing::RecordingTransport transport(clock);
    DeviceLink link(clock);
    link.AttachTransport(&transport);
    transport.answers.push_back({{0x86, 0x01, 0x80, 0x00, 0x00}});
    transport.answers.push_back({{0x11, 0x22, 0x33}});
    for (std::uint8_t card : {0, 1, 2}) link.SendPairAndConfirm(kDeviceAddress, 0x80, card, 0);
    ScriptedRemote remote;
    link.AttachRemote(&remote);
    Frame reply{};
    link.Ask(kDeviceAddress, 0xFE, 0, 0, reply, [](const Frame&) { return true; });
    link.SendPairAndConfirm(kDeviceAddress, 0x81, 0, 3);
    link.SendPair(kDeviceAddress, 0xFC, 0, 0);

    struct Row {
        TrafficDirection direction;
        TrafficOutcome outcome;
        std::uint8_t command;
        std::vector<std::uint8_t> bytes;
        bool operator==(const Row&) const = default;
    };
    std::vector<Row> rows;
    for (const TrafficEntry& entry : link.Traffic().All()) {
        rows.push_back({entry.direction, entry.outcome, entry.command,
                        {entry.bytes.begin(), entry.bytes.begin() + entry.byteCount}});
    }
    const auto frame = [](std::uint8_t code, std::vector<std::uint8_t> data) {
        const Frame f = BuildFrame(kDeviceAddress, code, data);
        return std::vector<std::uint8_t>(f.begin(), f.end());
    };
    const auto padded = [](std::vector<std::uint8_t> bytes) {
        bytes.resize(kFrameSize);
        return bytes;
    };
    using enum TrafficDirection;
    using enum TrafficOutcome;
    const std::vector<Row> expected{
        {Sent, Written, 0x80, frame(0x80, {0, 0})},
        {Received, Incomplete, 0x80, {0x86, 0x01, 0x80, 0x00, 0x00}},
        {Sent, Written, 0x80, frame(0x80, {1, 0})},
        {Received, Incomplete, 0x80, {0x11, 0x22, 0x33}},
        {Sent, Written, 0x80, frame(0x80, {2, 0})},
        {Received, NoReply, 0x80, {}},
        {Sent, Written, 0xFE, frame(0xFE, {0, 0})},
        {Received, Complete, 0xFE, padded({0x86, 0x01, 0xFE})},
        {Sent, Written, 0x81, frame(0x81, {0, 3})},
        {Received, Incomplete, 0x81, padded({0x86, 0x01, 0x81})},
        {Sent, Written, 0xFC, frame(0xFC, {0, 0})},
    };
    EXPECT_EQ(rows, expected);
}

}  // namespace
}  // namespace hsq
