#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "link/command_frame.h"

namespace hsq::sim {

// Cuts the bytes that arrive from the application into frames, whatever pieces they come in.
// A frame starts with 0x86 0x01 and carries the XOR of its first 12 bytes in byte 12; bytes
// that cannot begin one are skipped one at a time, so the stream finds its footing again after
// garbage or a torn frame.
class FrameStream {
  public:
    std::vector<Frame> Feed(std::span<const std::uint8_t> bytes);
    // Forgets a frame begun but not finished.
    void Clear() { pending_.clear(); }

  private:
    bool FrameAt(std::size_t pos) const;
    bool CouldStartAt(std::size_t pos) const;

    std::vector<std::uint8_t> pending_;  // fewer than 13 bytes between calls
};

}  // namespace hsq::sim
