#pragma once

#include <cstdint>
#include <string>

#include "link/clock.h"
#include "sim/descriptor_pump.h"
#include "sim/link_session.h"
#include "sim/stoppable_thread.h"

namespace hsq::sim {

// Serves the processor over TCP on 127.0.0.1 only, on the real clock. Clients are served one
// after another: the next is accepted when the current one has gone. A dropped connection closes
// the client's socket.
class TcpServer {
  public:
    explicit TcpServer(SimulatedProcessor& processor, TrafficTrace* trace = nullptr);
    ~TcpServer();
    TcpServer(const TcpServer&) = delete;
    TcpServer& operator=(const TcpServer&) = delete;

    // Listens on 127.0.0.1:port; port 0 takes a free one. False, with the reason in error, when
    // the port cannot be had.
    bool Open(std::uint16_t port, std::string& error);
    // The port listened on.
    std::uint16_t Port() const { return port_; }

    bool Start();
    void Stop() { thread_.Stop(); }

  private:
    void Serve(int wakeFd);
    void Accept();
    void ServeClient(short revents);
    void CloseClient();

    SystemClock clock_;
    LinkSession session_;
    DescriptorPump pump_;
    StoppableThread thread_;
    int listener_ = -1;
    int client_ = -1;
    std::uint16_t port_ = 0;
};

}  // namespace hsq::sim
