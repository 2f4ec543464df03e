// The pseudo-terminal and TCP servers, on real descriptors and the real clock.
#include <gtest/gtest.h>

#include "commands/reply_decoders.h"
#include "descriptor_io.h"
#include "sim/pty_server.h"
#include "sim/tcp_server.h"
#include "sim_link.h"

namespace hsq::sim {
namespace {

using testing::Bytes;
using testing::CommandFrame;

const Frame kStatus = CommandFrame(kQuery, {kQueryStatus, 0});
const Bytes kStatusReply{0x86, 0x01, 0xFE, 0, 0x3F, 0x00, 0x0F, 0, 0, 0, 0, 0, 0x49};

Bytes AskStatus(int fd) {
    if (!testing::WriteAll(fd, kStatus.data(), kStatus.size()))
        return {};
    return testing::ReadBytes(fd, kFrameSize);
}

class TcpServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(server.Open(0, error)) << error;
        ASSERT_NE(server.Port(), 0);
        ASSERT_TRUE(server.Start());
    }

    SimulatedProcessor processor;
    TcpServer server{processor};
};

TEST_F(TcpServerTest, ServesClientsOneAfterAnother) {
    const int first = testing::ConnectLoopback(server.Port());
    ASSERT_GE(first, 0);
    EXPECT_EQ(AskStatus(first), kStatusReply);
    close(first);
    const int second = testing::ConnectLoopback(server.Port());
    ASSERT_GE(second, 0);
    EXPECT_EQ(AskStatus(second), kStatusReply);
    close(second);
}

TEST_F(TcpServerTest, DropClosesTheClientsSocket) {
    processor.SetFaults(FaultInjector({{FaultKind::kDrop, 1.0}}, 1));
    const int dropped = testing::ConnectLoopback(server.Port());
    ASSERT_GE(dropped, 0);
    ASSERT_TRUE(testing::WriteAll(dropped, kStatus.data(), kStatus.size()));
    EXPECT_TRUE(testing::PeerCloses(dropped));
    close(dropped);
    processor.SetFaults(FaultInjector{});
    const int next = testing::ConnectLoopback(server.Port());
    ASSERT_GE(next, 0);
    EXPECT_EQ(AskStatus(next), kStatusReply);
    close(next);
}

class PtyServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(server.Open(error)) << error;
        ASSERT_TRUE(server.Start());
    }

    SimulatedProcessor processor;
    PtyServer server{processor};
};

TEST_F(PtyServerTest, LineOutlivesAClientThatCloses) {
    for (int client = 0; client < 2; ++client) {
        const int line = testing::OpenRawLine(server.Path());
        ASSERT_GE(line, 0) << server.Path();
        EXPECT_EQ(AskStatus(line), kStatusReply) << "client " << client;
        close(line);
    }
}

TEST_F(PtyServerTest, ReplyInPiecesArrivesWholeAndInOrder) {
    processor.SetFaults(FaultInjector({{FaultKind::kPieces, 1.0}}, 5));
    const int line = testing::OpenRawLine(server.Path());
    ASSERT_GE(line, 0);
    EXPECT_EQ(AskStatus(line), kStatusReply);
    close(line);
}

}  // namespace
}  // namespace hsq::sim
