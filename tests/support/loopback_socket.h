#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>

namespace hsq::testing {

// A socket on 127.0.0.1 with a free port; listening only when asked.
struct LoopbackSocket {
    explicit LoopbackSocket(int backlog = -1) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
            (backlog >= 0 && listen(fd, backlog) != 0)) {
            ADD_FAILURE() << "cannot set up a loopback socket";
        }
        port = ntohs(address.sin_port);
    }
    ~LoopbackSocket() { close(fd); }
    LoopbackSocket(const LoopbackSocket&) = delete;
    LoopbackSocket& operator=(const LoopbackSocket&) = delete;

    int Accept() const { return accept4(fd, nullptr, nullptr, SOCK_CLOEXEC); }

    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    std::uint16_t port = 0;
};

}  // namespace hsq::testing
