#include "link/command_frame.h"

#include <stdexcept>

namespace hsq {

std::uint8_t Checksum(const Frame& frame) {
    std::uint8_t sum = 0;
    for (int i = 0; i < kFrameSize - 1; ++i) sum ^= frame[i];
    return sum;
}

Frame BuildFrame(std::uint8_t address, std::uint8_t command, std::span<const std::uint8_t> data) {
    if (data.size() > kMaxDataBytes) throw std::length_error("frame data longer than 9 bytes");
    Frame frame{};
    frame[0] = address;
    frame[1] = 0x01;
    frame[2] = command;
    for (std::size_t i = 0; i < data.size(); ++i) frame[3 + i] = data[i];
    frame[12] = Checksum(frame);
    return frame;
}

}  // namespace hsq
