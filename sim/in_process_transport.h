#pragma once

#include "link/clock.h"
#include "link/link_transport.h"
#include "sim/link_session.h"

namespace hsq::sim {

// Puts the simulated processor straight behind a DeviceLink. Replies are timed on the link's own
// clock, so on a VirtualClock a late reply or a reply in pieces costs no real time. A dropped
// connection loses what was queued; the next frame is answered as usual. Used from one thread,
// like the link itself.
class InProcessTransport final : public LinkTransport {
  public:
    InProcessTransport(SimulatedProcessor& processor, Clock& clock)
        : clock_(clock), session_(processor) {}

    int WriteFrame(const std::uint8_t* bytes, int count) override;
    int ReadAvailable(std::uint8_t* bytes, int count) override;
    void CloseTransport() override { session_.Reset(); }

  private:
    Clock& clock_;
    LinkSession session_;
};

}  // namespace hsq::sim
