#include "service/line_messages.h"

#include <sys/socket.h>

#include <algorithm>
#include <cerrno>

namespace hsq {
namespace {

constexpr std::uint8_t kRequestMark = 'H';
constexpr std::uint8_t kAnswerMark = 'h';
constexpr std::uint8_t kQueryCommand = 0xFE;

LineMessage Encode(std::uint8_t mark, std::uint8_t second, const Frame& frame) {
    LineMessage message{};
    message[0] = mark;
    message[1] = second;
    std::copy(frame.begin(), frame.end(), message.begin() + 2);
    return message;
}

Frame FrameOf(const LineMessage& message) {
    Frame frame{};
    std::copy_n(message.begin() + 2, kFrameSize, frame.begin());
    return frame;
}

bool Sends(ExchangeKind kind) {
    return kind == ExchangeKind::Send || kind == ExchangeKind::Reply ||
           kind == ExchangeKind::ReplyLong || kind == ExchangeKind::Query;
}

}  // namespace

LineMessage EncodeRequest(const LineRequest& request) {
    return Encode(kRequestMark, static_cast<std::uint8_t>(request.kind), request.frame);
}

std::optional<LineRequest> DecodeRequest(const LineMessage& message) {
    if (message[0] != kRequestMark || message[1] == 0 || message[1] > kLastExchangeKind ||
        message[kLineMessageSize - 1] != 0)
        return std::nullopt;
    const LineRequest request{static_cast<ExchangeKind>(message[1]), FrameOf(message)};
    const Frame& frame = request.frame;
    if (Sends(request.kind) && (frame[1] != 0x01 || frame[kFrameSize - 1] != Checksum(frame)))
        return std::nullopt;
    if (request.kind == ExchangeKind::Query && frame[2] != kQueryCommand) return std::nullopt;
    return request;
}

LineMessage EncodeAnswer(const LineAnswer& answer) {
    return Encode(kAnswerMark, answer.count, answer.reply);
}

std::optional<LineAnswer> DecodeAnswer(const LineMessage& message) {
    if (message[0] != kAnswerMark || message[kLineMessageSize - 1] != 0) return std::nullopt;
    return LineAnswer{message[1], FrameOf(message)};
}

bool WriteMessage(int fd, const LineMessage& message) {
    return ::send(fd, message.data(), message.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(message.size());
}

bool ReadMessage(int fd, LineMessage& message) {
    std::size_t got = 0;
    while (got < message.size()) {
        const ssize_t n = ::recv(fd, message.data() + got, message.size() - got, 0);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        got += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace hsq
