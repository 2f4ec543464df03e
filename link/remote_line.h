#pragma once

#include <cstdint>

#include "link/command_frame.h"

namespace hsq {

// One whole exchange as another program carries it out on the processor's line: the frame and
// what follows it there.
enum class ExchangeKind : std::uint8_t {
    Send = 1,   // the frame alone; the result is the write's count
    Reply,      // the frame, then the first whole reply within the short wait (a confirmation)
    ReplyLong,  // the same within the long wait
    Query,        // a query frame, then the reply that answers it
    Discard,      // drops what waits on the line; the frame is not sent
    Hold,         // keeps other programs off the line until Release; the frame is not sent
    Release,
};
inline constexpr std::uint8_t kLastExchangeKind = static_cast<std::uint8_t>(ExchangeKind::Release);

// The line as a program reaches it that does not hold it itself: every exchange goes whole to
// the program that does, which frames, paces and checks it on its own link.
class RemoteLine {
  public:
    virtual ~RemoteLine() = default;
    // What the exchange returned there (13 or 0; a Send's count; a Discard's byte count), with
    // the reply where the kind has one. 0 when the holder is gone.
    virtual std::uint8_t Carry(ExchangeKind kind, const Frame& frame, Frame& reply) = 0;
    virtual void Disconnect() = 0;
};

}  // namespace hsq
