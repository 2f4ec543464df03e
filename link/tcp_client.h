#pragma once

#include <cstdint>
#include <string>

#include "link/clock.h"
#include "link/link_transport.h"

namespace hsq {

// One IPv4 TCP connection to the processor, non-blocking for its whole life.
class CTcpClient final : public LinkTransport {
  public:
    static constexpr int kConnectLimitMs = 5005;
    // How long a full socket buffer may hold back the rest of a frame.
    static constexpr int kSendLimitMs = 1000;

    // The connection wait goes through the clock, so tests see the time-out on virtual time.
    explicit CTcpClient(Clock& clock) : clock_(clock) {}
    ~CTcpClient() override;
    CTcpClient(const CTcpClient&) = delete;
    CTcpClient& operator=(const CTcpClient&) = delete;

    // ipText must be dotted IPv4. 1 when the connection stands (pending error 0), 0 otherwise.
    int Connect(const std::string& ipText, std::uint16_t port);
    // The whole length once every byte went out, 0 otherwise.
    int Send(const std::uint8_t* buffer, int length);
    // The count of bytes received (none waiting: 0, at once).
    int Receive(std::uint8_t* buffer, int length);
    // 1 when the socket closed, 0 when there was none or closing failed. Forgets the handle
    // either way, so a later Close cannot hit a descriptor reused by someone else.
    int Close();

    int WriteFrame(const std::uint8_t* bytes, int count) override { return Send(bytes, count); }
    // As Receive, but a peer that closed or reset the connection is reported gone.
    int ReadAvailable(std::uint8_t* bytes, int count) override;
    void CloseTransport() override { Close(); }
    bool IsOpenTransport() const override { return socket_ >= 0; }

  private:
    int Fail();

    Clock& clock_;
    int socket_ = -1;
};

}  // namespace hsq
