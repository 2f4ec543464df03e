#include "link/tcp_client.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "pty_pair.h"
#include "support/loopback_socket.h"

namespace hsq {
namespace {

using testing::LoopbackSocket;

const char* const kLoopback = "127.0.0.1";

// A plain non-blocking connection attempt; true when it completed within a short real wait.
bool PlainConnectCompletes(std::uint16_t port, std::vector<int>& keep) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    keep.push_back(fd);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return true;
    pollfd entry{fd, POLLOUT, 0};
    return poll(&entry, 1, 300) == 1;
}

class TcpClientTest : public ::testing::Test {
  protected:
    VirtualClock clock;
    CTcpClient client{clock};
};

// A failed attempt leaves no socket behind, and an unconnected client moves nothing.
TEST_F(TcpClientTest, RefusedConnectionFailsAtOnce) {
    LoopbackSocket boundButNotListening;
    EXPECT_EQ(client.Connect(kLoopback, boundButNotListening.port), 0);
    EXPECT_EQ(clock.ElapsedMs(), 0);
    EXPECT_EQ(client.Close(), 0);
    std::uint8_t frame[13] = {};
    EXPECT_EQ(client.Send(frame, 13), 0);
    EXPECT_EQ(client.Receive(frame, 13), 0);
}

TEST_F(TcpClientTest, PeerThatNeverCompletesFailsAtTheLimit) {
    // With the accept queue full, the listener drops further attempts without an answer.
    LoopbackSocket listener(0);
    std::vector<int> fillers;
    while (fillers.size() < 16 && PlainConnectCompletes(listener.port, fillers)) {
    }
    ASSERT_LT(fillers.size(), 16u) << "the accept queue never filled";
    EXPECT_EQ(client.Connect(kLoopback, listener.port), 0);
    EXPECT_EQ(clock.ElapsedMs(), 5005);
    for (int fd : fillers)
        close(fd);
}

TEST_F(TcpClientTest, TextThatIsNotDottedIpv4IsRefused) {
    for (const char* text : {"", "localhost", "127.0.0", "127.0.0.1.5", "127.0.0.256", "::1",
                             "127.000.000.001x", " 127.0.0.1"}) {
        EXPECT_EQ(client.Connect(text, 7), 0) << text;
    }
    EXPECT_EQ(clock.ElapsedMs(), 0);
}

// The link puts a reply together from real bytes only, so a read reports what really came.
TEST_F(TcpClientTest, ConnectsAndTransfersReportTheBytesThatReallyMoved) {
    LoopbackSocket listener(4);
    ASSERT_EQ(client.Connect(kLoopback, listener.port), 1);
    EXPECT_LT(clock.ElapsedMs(), CTcpClient::kConnectLimitMs);
    const int peer = listener.Accept();
    ASSERT_GE(peer, 0);

    std::uint8_t buffer[13];
    std::fill(std::begin(buffer), std::end(buffer), 0xEE);
    EXPECT_EQ(client.Receive(buffer, 13), 0);  // nothing waiting: at once

    const std::uint8_t four[] = {0x86, 0x01, 0xFE, 0x3F};
    ASSERT_EQ(send(peer, four, sizeof four, 0), 4);
    int received = 0;
    ASSERT_TRUE(testing::Eventually([&] { return (received = client.Receive(buffer, 13)) != 0; }));
    EXPECT_EQ(received, 4);
    EXPECT_EQ(std::vector<std::uint8_t>(buffer, buffer + 4),
              std::vector<std::uint8_t>(std::begin(four), std::end(four)));
    EXPECT_EQ(buffer[4], 0xEE);

    const std::uint8_t frame[13] = {0x86, 0x01, 0xFE};
    EXPECT_EQ(client.Send(frame, 13), 13);
    std::uint8_t got[13] = {};
    ASSERT_EQ(recv(peer, got, 13, MSG_WAITALL), 13);
    EXPECT_EQ(got[2], 0xFE);
    close(peer);
    EXPECT_EQ(client.Close(), 1);
}

// A peer gone is the device gone for the link at once, not a processor that fell silent.
TEST_F(TcpClientTest, DroppedPeerTurnsTransfersIntoZero) {
    LoopbackSocket listener(4);
    ASSERT_EQ(client.Connect(kLoopback, listener.port), 1);
    close(listener.Accept());
    std::uint8_t frame[13] = {};
    // The first send may still be accepted locally; the reset makes the next ones fail, and no
    // signal ends the process.
    EXPECT_TRUE(testing::Eventually([&] { return client.Send(frame, 13) == 0; }));
    EXPECT_EQ(client.Receive(frame, 13), 0);
    EXPECT_EQ(client.ReadAvailable(frame, 13), kTransportGone);
}

}  // namespace
}  // namespace hsq
