#pragma once

#include <cstdint>
#include <span>

#include "sim/frame_stream.h"
#include "sim/reply_queue.h"
#include "sim/simulated_processor.h"
#include "sim/traffic_trace.h"

namespace hsq::sim {

// One connection to the processor: the frames cut from its byte stream and the replies waiting
// on its time line. Times are whatever clock the transport runs on.
class LinkSession {
  public:
    explicit LinkSession(SimulatedProcessor& processor, TrafficTrace* trace = nullptr)
        : processor_(processor), trace_(trace) {}

    // Answers every whole frame among the bytes. Returns false when a fault dropped the
    // connection: the session is then empty, and the bytes after that frame are gone with it.
    bool Receive(std::span<const std::uint8_t> bytes, std::int64_t nowMs);

    ReplyQueue& replies() { return replies_; }

    // Forgets the frame begun and every reply not yet taken.
    void Reset();

  private:
    SimulatedProcessor& processor_;
    TrafficTrace* trace_;
    FrameStream stream_;
    ReplyQueue replies_;
};

}  // namespace hsq::sim
