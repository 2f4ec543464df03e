#include "link/tcp_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace hsq {

CTcpClient::~CTcpClient() {
    Close();
}

int CTcpClient::Fail() {
    Close();
    return 0;
}

int CTcpClient::Connect(const std::string& ipText, std::uint16_t port) {
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    // inet_pton takes only the four-part dotted form, which is what the settings hold.
    if (ipText.size() > 15 || inet_pton(AF_INET, ipText.c_str(), &peer.sin_addr) != 1)
        return 0;

    Close();  // a second Connect must not leak the first socket
    socket_ = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
    if (socket_ < 0) {
        socket_ = -1;
        return 0;
    }
    if (connect(socket_, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0)
        return 1;
    if (errno != EINPROGRESS)
        return Fail();

    const short seen = clock_.WaitDescriptor(socket_, POLLIN | POLLOUT, kConnectLimitMs);
    if ((seen & (POLLIN | POLLOUT | POLLERR | POLLHUP)) == 0)
        return Fail();
    int pending = 0;
    socklen_t length = sizeof pending;
    if (getsockopt(socket_, SOL_SOCKET, SO_ERROR, &pending, &length) != 0)
        return Fail();
    // A refused or unreachable peer shows here; only a clean result counts as connected.
    if (pending != 0)
        return Fail();
    return 1;
}

// A partly sent frame cannot be taken back; it counts as not sent, and the socket buffer, empty
// but for a frame or two, takes all 13 bytes at once in practice.
int CTcpClient::Send(const std::uint8_t* buffer, int length) {
    if (socket_ < 0 || length <= 0)
        return 0;
    int sent = 0;
    while (sent < length) {
        const ssize_t n =
            send(socket_, buffer + sent, static_cast<std::size_t>(length - sent), MSG_NOSIGNAL);
        if (n > 0) {
            sent += static_cast<int>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) &&
                   clock_.WaitDescriptor(socket_, POLLOUT, kSendLimitMs) & POLLOUT) {
            continue;
        } else {
            return 0;
        }
    }
    return length;
}

// What really arrived, so that the link puts a reply together from real bytes only.
int CTcpClient::Receive(std::uint8_t* buffer, int length) {
    return std::max(ReadAvailable(buffer, length), 0);
}

// The end of the stream, or a reset, means the peer is gone: no reply can come on this socket,
// and waiting out every reply wait would only keep the operator waiting.
int CTcpClient::ReadAvailable(std::uint8_t* bytes, int count) {
    if (socket_ < 0 || count <= 0)
        return 0;
    const ssize_t received = recv(socket_, bytes, static_cast<std::size_t>(count), 0);
    if (received > 0)
        return static_cast<int>(received);
    const bool nothingYet =
        received < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR);
    return nothingYet ? 0 : kTransportGone;
}

int CTcpClient::Close() {
    if (socket_ < 0)
        return 0;
    const int result = close(socket_);
    socket_ = -1;
    return result == 0 ? 1 : 0;
}

}  // namespace hsq
