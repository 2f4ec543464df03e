#include "service/line_service.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <optional>

#include "service/line_client.h"
#include "service/line_messages.h"
#include "service/line_socket.h"

namespace hsq {
namespace {

constexpr int kBacklog = 8;

std::span<const std::uint8_t> DataOf(const Frame& frame) {
    return std::span(frame.data() + 3, kMaxDataBytes);
}

// The exchange on this program's own link. A hold is kept by the client's own thread, which
// then owns the link until it lets go.
std::uint8_t CarryOut(DeviceCommands& commands, const LineRequest& request, Frame& reply,
                      std::optional<DeviceLink::LineHold>& hold) {
    DeviceLink& link = commands.link();
    const Frame& f = request.frame;
    switch (request.kind) {
        case ExchangeKind::Send: return link.SendBytes(f[0], f[2], DataOf(f));
        case ExchangeKind::Reply: return link.SendAndTakeReply(f[0], f[2], DataOf(f), reply, false);
        case ExchangeKind::ReplyLong:
            return link.SendAndTakeReply(f[0], f[2], DataOf(f), reply, true);
        case ExchangeKind::Query: return commands.Query(f[3], f[4], reply);
        case ExchangeKind::Discard: return link.DiscardReply();
        case ExchangeKind::Hold:
            if (!hold) hold.emplace(link);
            return kFrameSize;
        case ExchangeKind::Release: hold.reset(); return kFrameSize;
    }
    return 0;
}

}  // namespace

LineService::LineService(DeviceCommands& commands) : commands_(commands) {}

LineService::~LineService() { Stop(); }

bool LineService::Start(const std::filesystem::path& socket, std::string& error) {
    sockaddr_un address;
    const std::string path = socket.string();
    if (!UnixAddress(socket, address)) {
        error = "no place for the service's socket";
        return false;
    }
    if (LineClient::Connect(socket)) {
        error = "another service already holds this line (" + path + ")";
        return false;
    }
    ::unlink(path.c_str());  // left by a service that died: nothing answers there
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    // The socket's folder is this user's alone already; the socket itself is made so before
    // anyone may connect.
    const bool bound =
        listener_ >= 0 &&
        ::bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
        ::chmod(path.c_str(), 0600) == 0;
    if (!bound || ::listen(listener_, kBacklog) != 0) {
        error = "cannot listen at " + path + ": " + std::strerror(errno);
        if (listener_ >= 0) ::close(listener_);
        listener_ = -1;
        return false;
    }
    socket_ = socket;
    return acceptor_.Start([this](int wakeFd) { Accept(wakeFd); });
}

void LineService::Stop() {
    acceptor_.Stop();
    {
        std::lock_guard lock(clientsLock_);
        stopping_ = true;
        for (Client& client : clients_) ::shutdown(client.fd, SHUT_RDWR);
    }
    for (Client& client : clients_) {
        if (client.thread.joinable()) client.thread.join();
    }
    clients_.clear();
    if (listener_ >= 0) {
        ::close(listener_);
        ::unlink(socket_.c_str());
    }
    listener_ = -1;
}

void LineService::Accept(int wakeFd) {
    for (;;) {
        pollfd fds[] = {{listener_, POLLIN, 0}, {wakeFd, POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 && errno != EINTR) return;
        if (fds[1].revents != 0) return;
        if ((fds[0].revents & POLLIN) == 0) continue;
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        std::lock_guard lock(clientsLock_);
        if (stopping_) {
            ::close(fd);
            return;
        }
        clients_.remove_if([](Client& done) {
            if (done.fd >= 0 || !done.thread.joinable()) return false;
            done.thread.join();
            return true;
        });
        Client& client = clients_.emplace_back();
        client.fd = fd;
        client.thread = std::thread([this, &client] {
            Serve(client.fd);
            std::lock_guard done(clientsLock_);
            ::close(client.fd);
            client.fd = -1;
        });
    }
}

// Until the client goes: a request that is not well formed ends it too.
void LineService::Serve(int fd) {
    std::optional<DeviceLink::LineHold> hold;
    LineMessage message{};
    while (ReadMessage(fd, message)) {
        const auto request = DecodeRequest(message);
        if (!request) break;
        LineAnswer answer;
        answer.count = CarryOut(commands_, *request, answer.reply, hold);
        if (!WriteMessage(fd, EncodeAnswer(answer))) break;
    }
}

}  // namespace hsq
