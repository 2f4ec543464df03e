#include "link/device_link.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "support/recording_transport.h"

namespace hsq {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Reply(std::uint8_t first) {
    Bytes reply(13);
    for (int i = 0; i < 13; ++i)
        reply[i] = static_cast<std::uint8_t>(first + i);
    return reply;
}

class DeviceLinkTest : public ::testing::Test {
  protected:
    DeviceLinkTest() : link(clock) { link.AttachTransport(&transport); }

    int PollPauses() const {
        int polls = 0;
        for (int pause : clock.Pauses())
            polls += pause == DeviceLink::kPollPauseMs;
        return polls;
    }

    VirtualClock clock;
    testing::RecordingTransport transport;
    DeviceLink link;
};

TEST_F(DeviceLinkTest, FramesCarryTheirDataInOrderAndZeroTheRest) {
    const std::uint8_t three[] = {0x11, 0x22, 0x33};
    link.SendBytes(0x86, 0x90, three);
    link.SendBytes(0x86, 0x91, {});
    link.SendPair(0x86, 0x80, 0x05, 0x00);
    ASSERT_EQ(transport.written.size(), 3u);
    EXPECT_EQ(transport.written[0], (Bytes{0x86, 0x01, 0x90, 0x11, 0x22, 0x33, 0, 0, 0, 0, 0, 0,
                                           0x86 ^ 0x01 ^ 0x90 ^ 0x11 ^ 0x22 ^ 0x33}));
    EXPECT_EQ(transport.written[1], (Bytes{0x86, 0x01, 0x91, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x16}));
    EXPECT_EQ(transport.written[2], (Bytes{0x86, 0x01, 0x80, 0x05, 0, 0, 0, 0, 0, 0, 0, 0, 0x02}));
    // Every frame is followed by the 200 ms pause, also when nothing is read.
    EXPECT_EQ(clock.Pauses(), (std::vector<int>{200, 200, 200}));
}

TEST_F(DeviceLinkTest, MoreThanNineDataBytesAreRefusedWithoutSending) {
    const std::uint8_t ten[10] = {};
    EXPECT_EQ(link.SendBytes(0x86, 0x90, ten), 0);
    EXPECT_EQ(link.SendAndConfirm(0x86, 0x90, ten), 0);
    EXPECT_TRUE(transport.written.empty());
    EXPECT_EQ(clock.ElapsedMs(), 0);
}

TEST_F(DeviceLinkTest, UnconfirmedSendsReportWhatTheTransportWrote) {
    EXPECT_EQ(link.SendPair(0x86, 0x80, 1, 0), 13);
    transport.writeResult = 0;
    EXPECT_EQ(link.SendPair(0x86, 0x80, 1, 0), 0);
    EXPECT_EQ(transport.reads, 0);
}

TEST_F(DeviceLinkTest, ReplyInPiecesIsPutTogetherInArrivalOrder) {
    const Bytes reply = Reply(0x86);
    transport.scriptedReads = {Bytes(reply.begin(), reply.begin() + 5),
                               Bytes(reply.begin() + 5, reply.end())};
    Frame out{};
    ASSERT_EQ(link.WaitReply(out), 13);
    EXPECT_EQ(Bytes(out.begin(), out.end()), reply);
    EXPECT_EQ(transport.reads, 2);
    EXPECT_EQ(PollPauses(), 1);
}

TEST_F(DeviceLinkTest, WholeReplyReplacesTheBytesGatheredBefore) {
    const Bytes whole = Reply(0x40);
    transport.scriptedReads = {Bytes{1, 2, 3, 4, 5}, whole};
    Frame out{};
    ASSERT_EQ(link.WaitReply(out), 13);
    EXPECT_EQ(Bytes(out.begin(), out.end()), whole);
}

TEST_F(DeviceLinkTest, SecondQueuedReplyNeverOverflowsTheBuffer) {
    // Five bytes of one reply, then a read of twelve that carries its rest and the start of the
    // next: the excess is dropped and the first reply keeps its own start.
    const Bytes first = Reply(0x10);
    Bytes rest(first.begin() + 5, first.end());
    rest.insert(rest.end(), {0x86, 0x01, 0x99, 0x98});
    transport.scriptedReads = {Bytes(first.begin(), first.begin() + 5), rest};
    Frame out{};
    ASSERT_EQ(link.WaitReply(out), 13);
    EXPECT_EQ(Bytes(out.begin(), out.end()), first);
}

TEST_F(DeviceLinkTest, ShortReplyNeverCompletesAndKeepsWhatCame) {
    transport.scriptedReads = {Bytes{0x86, 0x01, 0x02}};
    Frame out{};
    EXPECT_EQ(link.WaitReply(out), 0);
    EXPECT_EQ(out[0], 0x86);
    EXPECT_EQ(out[2], 0x02);
    EXPECT_EQ(out[3], 0x00);
}

struct WaitCase {
    const char* name;
    bool pairVariant;
    std::uint8_t command;
    int attempts;
};

class LongWaitTest : public DeviceLinkTest, public ::testing::WithParamInterface<WaitCase> {};

TEST_P(LongWaitTest, WithoutReplyPollsItsLimitThenGivesUp) {
    const WaitCase& c = GetParam();
    const std::uint8_t result = c.pairVariant ? link.SendPairAndConfirm(0x86, c.command, 0, 0)
                                              : link.SendAndConfirm(0x86, c.command, {});
    EXPECT_EQ(result, 0);
    EXPECT_EQ(transport.reads, c.attempts);
    EXPECT_EQ(PollPauses(), c.attempts);
    EXPECT_EQ(clock.ElapsedMs(), 200 + 100 * c.attempts);
}

INSTANTIATE_TEST_SUITE_P(
    PerVariantAndCode, LongWaitTest,
    ::testing::Values(WaitCase{"Pair81", true, 0x81, 100}, WaitCase{"PairB0", true, 0xB0, 1000},
                      WaitCase{"Pair94", true, 0x94, 1000}, WaitCase{"Pair9C", true, 0x9C, 1000},
                      WaitCase{"SeqB0", false, 0xB0, 100}, WaitCase{"Seq94", false, 0x94, 100},
                      WaitCase{"Seq9C", false, 0x9C, 1000}, WaitCase{"Seq86", false, 0x86, 100}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeviceLinkTest, ConfirmedCommandReturnsAtTheFirstWholeReply) {
    transport.scriptedReads = {Bytes{}, Bytes{}, Reply(0x86)};
    EXPECT_EQ(link.SendPairAndConfirm(0x86, 0x81, 0, 3), 13);
    EXPECT_EQ(transport.reads, 3);
    EXPECT_EQ(clock.ElapsedMs(), 200 + 2 * 100);
}

TEST_F(DeviceLinkTest, CloseAlwaysReportsSuccess) {
    EXPECT_EQ(link.Close(), 1);
    EXPECT_EQ(transport.closes, 1);
    DeviceLink unopened(clock);
    EXPECT_EQ(unopened.Close(), 1);
}

// Two threads sending confirmed commands: with the link-wide lock each exchange keeps its own
// reply, so every frame is followed by its reads before the next frame goes out.
TEST(DeviceLinkLockTest, ExchangesFromTwoThreadsNeverInterleave) {
    struct OrderingTransport final : LinkTransport {
        int WriteFrame(const std::uint8_t*, int count) override {
            if (awaitingReply.exchange(true))
                interleaved = true;
            return count;
        }
        int ReadAvailable(std::uint8_t* bytes, int count) override {
            std::fill_n(bytes, count, 0x86);
            awaitingReply = false;
            return count;
        }
        void CloseTransport() override {}
        std::atomic<bool> awaitingReply{false};
        std::atomic<bool> interleaved{false};
    } transport;
    VirtualClock clock;
    clock.SetPauseHook([](int) { std::this_thread::yield(); });
    DeviceLink link(clock);
    link.AttachTransport(&transport);
    std::atomic<int> confirmed{0};
    auto sender = [&] {
        for (int i = 0; i < 200; ++i)
            confirmed += link.SendPairAndConfirm(0x86, 0x81, 0, 1) == 13;
    };
    std::thread a(sender), b(sender);
    a.join();
    b.join();
    EXPECT_EQ(confirmed, 400);
    EXPECT_FALSE(transport.interleaved);
}

}  // namespace
}  // namespace hsq
