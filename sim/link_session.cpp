#include "sim/link_session.h"

namespace hsq::sim {

bool LinkSession::Receive(std::span<const std::uint8_t> bytes, std::int64_t nowMs) {
    for (const Frame& frame : stream_.Feed(bytes)) {
        if (trace_ != nullptr)
            trace_->Received(frame);
        const Delivery delivery = processor_.Answer(frame);
        if (delivery.dropConnection) {
            Reset();
            return false;
        }
        replies_.Push(delivery, nowMs);
    }
    return true;
}

void LinkSession::Reset() {
    stream_.Clear();
    replies_.Clear();
}

}  // namespace hsq::sim
