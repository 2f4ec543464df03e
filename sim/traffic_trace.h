#pragma once

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <span>
#include <string>

#include "link/clock.h"

namespace hsq::sim {

// One line in the serial trace format: "hh:mm:ss-mmm -> 86 01 ..." with "->" for bytes going
// out and "<-" for bytes coming in.
std::string FormatTraceLine(const LocalTime& time, bool outgoing,
                            std::span<const std::uint8_t> bytes);

// The simulator's trace, seen from the processor: "<-" for each frame it received, "->" for
// each transfer it sent (a reply, or a part of one when a fault splits it). Lines from several
// transports do not mix.
class TrafficTrace {
  public:
    TrafficTrace(Clock& clock, std::FILE* out) : clock_(clock), out_(out) {}

    void Received(std::span<const std::uint8_t> bytes) { Write(false, bytes); }
    void Sent(std::span<const std::uint8_t> bytes) { Write(true, bytes); }

  private:
    void Write(bool outgoing, std::span<const std::uint8_t> bytes);

    Clock& clock_;
    std::FILE* out_;
    std::mutex mutex_;
};

}  // namespace hsq::sim
