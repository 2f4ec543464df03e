#include "service/line_client.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "service/line_messages.h"
#include "service/line_socket.h"

namespace hsq {

std::unique_ptr<LineClient> LineClient::Connect(const std::filesystem::path& socket) {
    sockaddr_un address;
    if (!UnixAddress(socket, address)) return nullptr;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return nullptr;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<LineClient>(new LineClient(fd));
}

LineClient::~LineClient() { Disconnect(); }

std::uint8_t LineClient::Carry(ExchangeKind kind, const Frame& frame, Frame& reply) {
    LineMessage message = EncodeRequest({kind, frame});
    if (gone_ || !WriteMessage(fd_, message) || !ReadMessage(fd_, message)) {
        gone_ = true;
        return 0;
    }
    const auto answer = DecodeAnswer(message);
    if (!answer) {
        gone_ = true;
        return 0;
    }
    reply = answer->reply;
    return answer->count;
}

bool LineClient::Ended() {
    if (gone_) return true;
    pollfd watched{fd_, POLLRDHUP, 0};
    if (::poll(&watched, 1, 0) > 0 && (watched.revents & (POLLRDHUP | POLLHUP)) != 0) gone_ = true;
    return gone_;
}

void LineClient::Disconnect() {
    gone_ = true;
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

}  // namespace hsq
