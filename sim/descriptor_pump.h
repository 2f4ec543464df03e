#pragma once

#include "link/clock.h"
#include "sim/link_session.h"
#include "sim/traffic_trace.h"

namespace hsq::sim {

// Moves bytes between one non-blocking descriptor (a pseudo-terminal master, a client socket)
// and a session, on the given clock: what arrives is answered, replies go out when due.
class DescriptorPump {
  public:
    enum class ReadResult { kOpen, kClosed, kDropped };

    DescriptorPump(LinkSession& session, Clock& clock, TrafficTrace* trace)
        : session_(session), clock_(clock), trace_(trace) {}

    // Reads everything waiting. kClosed at end of stream or on a failed read.
    ReadResult ReadFrom(int fd);
    // Writes the reply parts that are due; false when the descriptor failed.
    bool WriteTo(int fd);
    // How long a poll may sleep before the next part is due: -1 when none waits, 0 when one is
    // due now.
    int MsUntilDue();

  private:
    LinkSession& session_;
    Clock& clock_;
    TrafficTrace* trace_;
};

}  // namespace hsq::sim
