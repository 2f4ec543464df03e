// Any bytes a client of the line service may send: the service answers what is well formed, ends
// that client at the first thing that is not, never crashes, and never leaves the line held: a
// well-behaved client is served right after.
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "commands/reply_decoders.h"
#include "service/line_client.h"
#include "service/line_service.h"
#include "service/line_socket.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"

namespace {

using namespace hsq;

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

// One service for the whole run, on virtual time, so a reply wait costs nothing.
struct Service {
    Service() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "line-fuzz-XXXXXX").string();
        Require(::mkdtemp(pattern.data()) != nullptr);
        socket = std::filesystem::path(pattern) / "line.sock";
        link.AttachTransport(&transport);
        std::string error;
        Require(service.Start(socket, error));
    }
    VirtualClock clock;
    sim::SimulatedProcessor processor;
    sim::InProcessTransport transport{processor, clock};
    DeviceLink link{clock};
    DeviceCommands commands{link};
    LineService service{commands};
    std::filesystem::path socket;
};

Service& TheService() {
    static Service* service = new Service;  // lives to the end of the run
    return *service;
}

int Connected(const std::filesystem::path& socket) {
    sockaddr_un address;
    Require(UnixAddress(socket, address));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    Require(fd >= 0 &&
            ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0);
    return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Service& service = TheService();
    const int fd = Connected(service.socket);
    if (size > 0) Require(::send(fd, data, size, MSG_NOSIGNAL) >= 0);
    ::shutdown(fd, SHUT_WR);
    char answers[4096];
    while (::recv(fd, answers, sizeof answers, 0) > 0) {
    }
    ::close(fd);
    const auto client = LineClient::Connect(service.socket);
    Require(client != nullptr);
    Frame reply{};
    const Frame status = BuildFrame(kDeviceAddress, 0xFE, {});
    Require(client->Carry(ExchangeKind::Query, status, reply) == kFrameSize);
    return 0;
}
