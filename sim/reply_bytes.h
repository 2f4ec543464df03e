#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "link/command_frame.h"
#include "sim/command_codes.h"

namespace hsq::sim {

// Bytes 3 to 11 of a query reply, addressed by their place in the reply frame. Bytes nobody
// names stay 0.
class ReplyBytes {
  public:
    static constexpr int kFirst = 3;

    std::uint8_t& operator[](int replyIndex) { return bytes_[replyIndex - kFirst]; }

    void Put(int firstIndex, std::span<const std::uint8_t> values) {
        std::copy(values.begin(), values.end(), bytes_.begin() + (firstIndex - kFirst));
    }

    Frame ToFrame() const { return BuildFrame(kDeviceAddress, kQuery, bytes_); }

  private:
    std::array<std::uint8_t, kMaxDataBytes> bytes_{};
};

}  // namespace hsq::sim
