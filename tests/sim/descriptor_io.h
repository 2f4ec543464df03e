#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

#include "link/command_frame.h"

namespace hsq::sim::testing {

using Bytes = std::vector<std::uint8_t>;

// Each wait for a real peer is bounded; it returns as soon as the bytes are there.
inline constexpr int kPeerWaitMs = 5000;

// Reads until count bytes have come, the peer closes, or nothing comes for kPeerWaitMs.
inline Bytes ReadBytes(int fd, std::size_t count) {
    Bytes got;
    while (got.size() < count) {
        pollfd entry{fd, POLLIN, 0};
        if (poll(&entry, 1, kPeerWaitMs) <= 0)
            break;
        std::uint8_t buffer[256];
        const ssize_t n = read(fd, buffer, std::min(sizeof buffer, count - got.size()));
        if (n < 0 && (errno == EAGAIN || errno == EINTR))
            continue;
        if (n <= 0)
            break;
        got.insert(got.end(), buffer, buffer + n);
    }
    return got;
}

inline bool WriteAll(int fd, const std::uint8_t* bytes, std::size_t count) {
    return write(fd, bytes, count) == static_cast<ssize_t>(count);
}

inline int ConnectLoopback(std::uint16_t port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (fd >= 0 && connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// Sends the status query and reads its reply.
inline Bytes AskStatus(int fd) {
    const Frame status = BuildFrame(kDeviceAddress, 0xFE, {});
    if (!WriteAll(fd, status.data(), status.size()))
        return {};
    return ReadBytes(fd, kFrameSize);
}

}  // namespace hsq::sim::testing
