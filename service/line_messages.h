#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "link/command_frame.h"
#include "link/remote_line.h"

namespace hsq {

// The service's socket carries whole exchanges in messages of 16 bytes: a mark, the kind (or
// the reply count), then a frame (the one to send, or the reply).
inline constexpr std::size_t kLineMessageSize = 16;
using LineMessage = std::array<std::uint8_t, kLineMessageSize>;

struct LineRequest {
    ExchangeKind kind = ExchangeKind::Send;
    Frame frame{};
};
struct LineAnswer {
    std::uint8_t count = 0;
    Frame reply{};
};

LineMessage EncodeRequest(const LineRequest& request);
// Empty for anything but a well-formed request: the mark, a known kind, and for the kinds that
// send, a whole frame with its checksum (a query frame for a query).
std::optional<LineRequest> DecodeRequest(const LineMessage& message);

LineMessage EncodeAnswer(const LineAnswer& answer);
std::optional<LineAnswer> DecodeAnswer(const LineMessage& message);

// A whole message over a stream socket; false when the other end has gone.
bool WriteMessage(int fd, const LineMessage& message);
bool ReadMessage(int fd, LineMessage& message);

}  // namespace hsq
