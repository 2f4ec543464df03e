// The processor finds the frames in whatever bytes arrive.
#include "sim/frame_stream.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "commands/reply_decoders.h"
#include "sim_link.h"

namespace hsq::sim {
namespace {

using testing::CommandFrame;
using Bytes = std::vector<std::uint8_t>;

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Of(const Frame& frame) {
    return Bytes(frame.begin(), frame.end());
}

const Frame kStatus = CommandFrame(kQuery, {kQueryStatus, 0});
const Frame kMute = CommandFrame(0xB4, {1, 0});

TEST(FrameStream, SkipsGarbageFalseStartsAndTornFrames) {
    Frame badSum = kMute;
    badSum[12] ^= 0x01;
    const Bytes torn = Bytes(kStatus.begin(), kStatus.begin() + 6);
    const Bytes garbage{0x00, 0x86, 0x86, 0x02, 0x86, 0x01, 0xFF};
    const Bytes input = Concat({garbage, Of(badSum), torn, Of(kMute), {0x86}});
    FrameStream stream;
    const auto frames = stream.Feed(input);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], kMute);
    // The trailing 0x86 is kept: it begins the next frame.
    const Bytes status = Of(kStatus);
    const auto next = stream.Feed(std::span(status).subspan(1));
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(next[0], kStatus);
}

// Random pieces join torn frames and split glued ones.
TEST(FrameStream, FindsEveryFrameAmongRandomNoiseInRandomPieces) {
    std::mt19937 random(3);
    const Frame frames[] = {kStatus, kMute, CommandFrame(0x92, {2, 1, 44, 5, 0, 0, 8, 2, 208})};
    Bytes input;
    std::vector<Frame> sent;
    for (int i = 0; i < 200; ++i) {
        for (int n = random() % 20; n > 0; --n)  // noise never holds the first byte of a frame
            input.push_back(static_cast<std::uint8_t>(random() % 0x86));
        sent.push_back(frames[random() % 3]);
        input.insert(input.end(), sent.back().begin(), sent.back().end());
    }
    FrameStream stream;
    std::vector<Frame> found;
    for (std::size_t pos = 0; pos < input.size();) {
        const std::size_t n = std::min<std::size_t>(1 + random() % 30, input.size() - pos);
        for (const Frame& frame : stream.Feed(std::span(input).subspan(pos, n)))
            found.push_back(frame);
        pos += n;
    }
    EXPECT_EQ(found, sent);
}

}  // namespace
}  // namespace hsq::sim
