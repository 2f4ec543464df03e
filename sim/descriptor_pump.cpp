#include "sim/descriptor_pump.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <limits>

namespace hsq::sim {

namespace {

constexpr std::size_t kReadChunk = 4096;

// A socket whose peer has gone must not raise SIGPIPE; a pseudo-terminal is written plainly.
ssize_t WriteSome(int fd, std::span<const std::uint8_t> bytes) {
    const ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (sent < 0 && errno == ENOTSOCK)
        return write(fd, bytes.data(), bytes.size());
    return sent;
}

bool WouldBlock() {
    return errno == EAGAIN || errno == EWOULDBLOCK;
}

}  // namespace

DescriptorPump::ReadResult DescriptorPump::ReadFrom(int fd) {
    std::uint8_t buffer[kReadChunk];
    while (true) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0)
            return ReadResult::kClosed;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return WouldBlock() ? ReadResult::kOpen : ReadResult::kClosed;
        }
        if (!session_.Receive({buffer, static_cast<std::size_t>(n)}, clock_.NowMs()))
            return ReadResult::kDropped;
    }
}

bool DescriptorPump::WriteTo(int fd) {
    while (true) {
        const auto due = session_.replies().DuePart(clock_.NowMs());
        if (due.empty())
            return true;
        const ssize_t n = WriteSome(fd, due);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return WouldBlock();
        }
        if (trace_ != nullptr)
            trace_->Sent(due.first(static_cast<std::size_t>(n)));
        session_.replies().Consume(static_cast<std::size_t>(n));
    }
}

int DescriptorPump::MsUntilDue() {
    const auto next = session_.replies().NextDueMs();
    if (!next)
        return -1;
    const std::int64_t wait = std::max<std::int64_t>(*next - clock_.NowMs(), 0);
    return static_cast<int>(std::min<std::int64_t>(wait, std::numeric_limits<int>::max()));
}

}  // namespace hsq::sim
