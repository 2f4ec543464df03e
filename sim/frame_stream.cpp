#include "sim/frame_stream.h"

#include <algorithm>

namespace hsq::sim {

namespace {

constexpr std::uint8_t kSecondByte = 0x01;

}  // namespace

bool FrameStream::CouldStartAt(std::size_t pos) const {
    if (pending_[pos] != kDeviceAddress)
        return false;
    return pos + 1 >= pending_.size() || pending_[pos + 1] == kSecondByte;
}

bool FrameStream::FrameAt(std::size_t pos) const {
    if (pending_[pos] != kDeviceAddress || pending_[pos + 1] != kSecondByte)
        return false;
    std::uint8_t sum = 0;
    for (int i = 0; i < kFrameSize - 1; ++i)
        sum ^= pending_[pos + i];
    return sum == pending_[pos + kFrameSize - 1];
}

std::vector<Frame> FrameStream::Feed(std::span<const std::uint8_t> bytes) {
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    std::vector<Frame> frames;
    std::size_t pos = 0;
    while (pending_.size() - pos >= static_cast<std::size_t>(kFrameSize)) {
        if (FrameAt(pos)) {
            Frame& frame = frames.emplace_back();
            std::copy_n(pending_.begin() + static_cast<std::ptrdiff_t>(pos), kFrameSize,
                        frame.begin());
            pos += kFrameSize;
        } else {
            ++pos;
        }
    }
    while (pos < pending_.size() && !CouldStartAt(pos))
        ++pos;
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(pos));
    return frames;
}

}  // namespace hsq::sim
