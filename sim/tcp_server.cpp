#include "sim/tcp_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace hsq::sim {

namespace {

constexpr int kBacklog = 8;

std::string Failure(const char* step) {
    return std::string(step) + ": " + std::strerror(errno);
}

sockaddr_in Loopback(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

}  // namespace

TcpServer::TcpServer(SimulatedProcessor& processor, TrafficTrace* trace)
    : session_(processor, trace), pump_(session_, clock_, trace) {}

TcpServer::~TcpServer() {
    Stop();
    CloseClient();
    if (listener_ >= 0)
        close(listener_);
}

bool TcpServer::Open(std::uint16_t port, std::string& error) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener_ < 0) {
        error = Failure("socket");
        return false;
    }
    const int reuse = 1;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse);
    sockaddr_in address = Loopback(port);
    if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        error = Failure(("bind 127.0.0.1:" + std::to_string(port)).c_str());
        return false;
    }
    socklen_t length = sizeof address;
    if (listen(listener_, kBacklog) != 0 ||
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        error = Failure("listen");
        return false;
    }
    port_ = ntohs(address.sin_port);
    return true;
}

bool TcpServer::Start() {
    if (listener_ < 0)
        return false;
    return thread_.Start([this](int wakeFd) { Serve(wakeFd); });
}

void TcpServer::Accept() {
    client_ = accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (client_ < 0)
        return;
    // Replies are small and should leave at once.
    const int noDelay = 1;
    setsockopt(client_, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    session_.Reset();
}

void TcpServer::CloseClient() {
    if (client_ < 0)
        return;
    close(client_);
    client_ = -1;
    session_.Reset();
}

void TcpServer::ServeClient(short revents) {
    if ((revents & (POLLIN | POLLERR | POLLHUP)) != 0 &&
        pump_.ReadFrom(client_) != DescriptorPump::ReadResult::kOpen) {
        CloseClient();
        return;
    }
    if (!pump_.WriteTo(client_))
        CloseClient();
}

void TcpServer::Serve(int wakeFd) {
    while (true) {
        const bool serving = client_ >= 0;
        int timeout = serving ? pump_.MsUntilDue() : -1;
        pollfd fds[2] = {{serving ? client_ : listener_, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        if (timeout == 0) {
            fds[0].events |= POLLOUT;
            timeout = -1;
        }
        if (poll(fds, 2, timeout) < 0 && errno != EINTR)
            return;
        if (fds[1].revents != 0)
            return;
        if (serving)
            ServeClient(fds[0].revents);
        else if (fds[0].revents != 0)
            Accept();
    }
}

}  // namespace hsq::sim
