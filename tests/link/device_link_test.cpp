#include "link/device_link.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "support/recording_transport.h"

namespace hsq {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A reply whose bytes 3 to 11 count up from first, with or without its checksum.
Bytes Reply(std::uint8_t first, bool checksummed = true) {
    Bytes reply{0x86, 0x01, 0xFE};
    for (int i = 3; i < 12; ++i)
        reply.push_back(static_cast<std::uint8_t>(first + i));
    std::uint8_t sum = 0;
    for (std::uint8_t byte : reply)
        sum ^= byte;
    reply.push_back(checksummed ? sum : static_cast<std::uint8_t>(sum ^ 0x5A));
    return reply;
}

Bytes Joined(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
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

    // The reply to a query that answers when byte 3 holds `echo` (0: any reply); empty if none.
    Bytes Asked(std::uint8_t echo = 0) {
        Frame out{};
        link.SendPair(0x86, 0xFE, 9, 0);
        const std::uint8_t got =
            echo == 0 ? link.WaitReply(out)
                      : link.WaitReply(out, [echo](const Frame& r) { return r[3] == echo; });
        return got == kFrameSize ? Bytes(out.begin(), out.end()) : Bytes{};
    }

    VirtualClock clock;
    testing::RecordingTransport transport{clock};
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

// A frame counts as sent only when it went out whole; one too long never goes out.
TEST_F(DeviceLinkTest, OnlyWholeFramesOfAtMostNineDataBytesCountAsSent) {
    const std::uint8_t ten[10] = {};
    EXPECT_EQ(link.SendBytes(0x86, 0x90, ten), 0);
    EXPECT_EQ(link.SendAndConfirm(0x86, 0x90, ten), 0);
    EXPECT_TRUE(transport.written.empty());
    EXPECT_EQ(clock.ElapsedMs(), 0);
    for (int written : {0, 5}) {
        transport.writeResult = written;
        EXPECT_EQ(link.SendPair(0x86, 0x80, 1, 0), 0) << written;
    }
    EXPECT_EQ(PollPauses(), 0);
}

// How the bytes that arrive become one reply. Each row lists what each poll finds.
struct AssemblyCase {
    const char* name;
    std::vector<Bytes> polls;
    std::uint8_t echo;  // the byte 3 a reply must hold; 0: any reply answers
    Bytes expected;     // empty: no reply answers
};

class ReplyAssemblyTest : public DeviceLinkTest,
                          public ::testing::WithParamInterface<AssemblyCase> {};

TEST_P(ReplyAssemblyTest, TakesTheReplyThatAnswers) {
    transport.answers.push_back(GetParam().polls);
    EXPECT_EQ(Asked(GetParam().echo), GetParam().expected);
}

const Bytes kReply = Reply(0x20);
const Bytes kOther = Reply(0x40);

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplyAssemblyTest,
    ::testing::Values(
        AssemblyCase{"PiecesInArrivalOrder",
                     {Bytes(kReply.begin(), kReply.begin() + 5), Bytes(kReply.begin() + 5, kReply.end())},
                     0, kReply},
        AssemblyCase{"NoiseBeforeIsSkipped", {Joined({{1, 2, 3}, kReply})}, 0, kReply},
        AssemblyCase{"NoiseWithTheAddressByteIsSkippedByTheCheck",
                     {Joined({{0x86, 0x23, 0x86}, kReply})}, kReply[3], kReply},
        AssemblyCase{"ExtraBytesAfterAreLeft", {Joined({kReply, {0x86, 7, 8}})}, 0, kReply},
        // A late reply to an earlier frame and this frame's own: the later one answers.
        AssemblyCase{"TheNewerOfTwoReplies", {Joined({kOther, kReply})}, 0, kReply},
        // A read of 13 bytes after 5 gathered ones: the rest of the reply and the start of the
        // next. The reply keeps its own start, and the two never mix into one.
        AssemblyCase{"ThirteenBytesAfterAPiece",
                     {Bytes(kReply.begin(), kReply.begin() + 5),
                      Joined({Bytes(kReply.begin() + 5, kReply.end()),
                              Bytes(kOther.begin(), kOther.begin() + 5)})},
                     0, kReply},
        AssemblyCase{"AReplyThatDoesNotAnswerIsRefused", {kOther}, kReply[3], Bytes{}},
        // Overlapping candidates: the bytes cannot tell which is real, so none is taken.
        AssemblyCase{"AmbiguousBytesAnswerNothing", {Joined({{0x86, 0x11}, kReply})}, 0, Bytes{}},
        AssemblyCase{"ShortReplyNeverCompletes", {{0x86, 0x01, 0x02}}, 0, Bytes{}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DeviceLinkTest, AFailedWaitLeavesWhatCameOfTheReply) {
    transport.answers.push_back({{9, 9, 0x86, 0x01, 0x02}});
    Frame out{};
    link.SendPair(0x86, 0xFE, 9, 0);
    EXPECT_EQ(link.WaitReply(out), 0);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 4), (Bytes{0x86, 0x01, 0x02, 0x00}));
}

// Replies never read, or read too late for their own wait, are drained before the next frame
// rather than taken for its answer.
TEST_F(DeviceLinkTest, WhatWaitsOnTheLineIsDrainedBeforeEachFrame) {
    std::vector<Bytes> late(DeviceLink::kShortAttempts + 2);
    late.back() = kOther;
    transport.answers.push_back(late);
    transport.answers.push_back({{}, kReply});
    EXPECT_EQ(Asked(), Bytes{});
    EXPECT_EQ(Asked(), kReply);

    transport.Answer(kOther);  // the unconfirmed frame's reply is never read
    transport.NoAnswer();
    link.SendPair(0x86, 0x8E, 1, 0);
    clock.SleepMs(1000);
    EXPECT_EQ(Asked(), Bytes{});

    transport.Answer(Joined({kOther, kOther, kOther}));  // more than one reply's worth
    link.SendPair(0x86, 0x8E, 1, 0);
    clock.SleepMs(1000);
    EXPECT_EQ(link.DiscardReply(), 39);
    EXPECT_EQ(link.DiscardReply(), 0);
}

TEST_F(DeviceLinkTest, RepliesAreHeldToTheirChecksumOnceTheProcessorIsSeenToUseIt) {
    for (std::uint8_t first : {0x10, 0x30})
        transport.Answer(Reply(first));
    transport.Answer(Reply(0x50, false));
    EXPECT_EQ(Asked(), Reply(0x10));
    EXPECT_EQ(Asked(), Reply(0x30));
    EXPECT_EQ(Asked(), Bytes{});
    transport.Answer(Reply(0x60));
    EXPECT_EQ(Asked(), Reply(0x60));
}

TEST_F(DeviceLinkTest, AProcessorWithoutChecksumsKeepsEveryReply) {
    // Replies whose byte 12 is right only by chance, now and then.
    for (int i = 0; i < 40; ++i) {
        const bool byChance = i % 7 == 0;
        transport.Answer(Reply(static_cast<std::uint8_t>(i), byChance));
        EXPECT_EQ(Asked(), Reply(static_cast<std::uint8_t>(i), byChance)) << i;
    }
}

// Without a reply a confirmed command polls its limit, long for some codes, then gives up.
TEST_F(DeviceLinkTest, ConfirmedCommandsPollTheirLimitThenGiveUp) {
    const struct {
        bool pairVariant;
        std::uint8_t command;
        int attempts;
    } kCases[] = {{true, 0x81, 100},  {true, 0xB0, 1000}, {true, 0x94, 1000},  {true, 0x9C, 1000},
                  {false, 0xB0, 100}, {false, 0x94, 100}, {false, 0x9C, 1000}, {false, 0x86, 100}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(::testing::Message() << c.pairVariant << " " << int{c.command});
        link.Open("", 0, "");  // a fresh connection: no reply owed to an earlier row
        clock.ClearPauses();
        const auto start = clock.ElapsedMs();
        const std::uint8_t result = c.pairVariant ? link.SendPairAndConfirm(0x86, c.command, 0, 0)
                                                  : link.SendAndConfirm(0x86, c.command, {});
        EXPECT_EQ(result, 0);
        EXPECT_EQ(PollPauses(), c.attempts);
        EXPECT_EQ(clock.ElapsedMs() - start, 200 + 100 * c.attempts);
    }
    // The first whole reply ends the wait.
    link.Open("", 0, "");
    transport.answers.push_back({{}, {}, kReply});
    const auto start = clock.ElapsedMs();
    EXPECT_EQ(link.SendPairAndConfirm(0x86, 0x81, 0, 3), 13);
    EXPECT_EQ(clock.ElapsedMs() - start, 200 + 2 * 100);
}

// An unplugged adapter: the exchange ends at once and the port is closed, so nothing polls a
// device that is gone; later exchanges fail at once too. Closing reports success regardless.
TEST_F(DeviceLinkTest, AGoneDeviceEndsTheExchangeAtOnce) {
    transport.gone = true;
    EXPECT_EQ(link.SendPairAndConfirm(0x86, 0x81, 0, 3), 0);
    EXPECT_EQ(transport.closes, 1);
    EXPECT_EQ(clock.ElapsedMs(), 200);
    EXPECT_EQ(link.SendPairAndConfirm(0x86, 0x81, 0, 3), 0);
    EXPECT_EQ(clock.ElapsedMs(), 400);
    EXPECT_EQ(PollPauses(), 0);
    EXPECT_EQ(link.Close(), 1);
    EXPECT_EQ(transport.closes, 2);
    EXPECT_EQ(DeviceLink(clock).Close(), 1);
}

// Two threads sending confirmed commands: with the link-wide lock each exchange keeps its own
// reply, so no thread touches the line while another one's exchange is under way.
TEST(DeviceLinkLockTest, ExchangesFromTwoThreadsNeverInterleave) {
    struct OrderingTransport final : LinkTransport {
        void Enter() {
            const auto self = std::this_thread::get_id();
            std::thread::id none;
            if (!owner.compare_exchange_strong(none, self) && none != self)
                interleaved = true;
        }
        int WriteFrame(const std::uint8_t*, int count) override {
            Enter();
            replyWaiting = true;
            return count;
        }
        int ReadAvailable(std::uint8_t* bytes, int count) override {
            Enter();
            if (!replyWaiting.exchange(false)) {
                owner = std::thread::id{};  // the line is empty: this thread is done with it
                return 0;
            }
            std::fill_n(bytes, count, 0x86);
            return count;
        }
        void CloseTransport() override {}
        std::atomic<std::thread::id> owner{};
        std::atomic<bool> replyWaiting{false};
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
