#pragma once

#include <atomic>
#include <filesystem>
#include <memory>

#include "link/remote_line.h"

namespace hsq {

// This program's end of the service's socket: each exchange goes out whole and its answer is
// awaited, however long the service takes (another program may hold the line for an import).
class LineClient final : public RemoteLine {
  public:
    // Empty when no service answers at the socket.
    static std::unique_ptr<LineClient> Connect(const std::filesystem::path& socket);
    ~LineClient() override;
    LineClient(const LineClient&) = delete;
    LineClient& operator=(const LineClient&) = delete;

    std::uint8_t Carry(ExchangeKind kind, const Frame& frame, Frame& reply) override;
    void Disconnect() override;
    // The service has ended (or broke the connection): no exchange will go through any more.
    bool Gone() const { return gone_; }
    // Looks, without waiting, whether the service has closed its end since: it never speaks
    // unasked, so a closed end is all there is to see between exchanges.
    bool Ended();

  private:
    explicit LineClient(int fd) : fd_(fd) {}

    int fd_;
    std::atomic<bool> gone_{false};
};

}  // namespace hsq
