// The pseudo-terminal and TCP servers, on real descriptors and the real clock.
#include <gtest/gtest.h>

#include "descriptor_io.h"
#include "sim/pty_server.h"
#include "sim/simulated_processor.h"
#include "sim/tcp_server.h"

namespace hsq::sim {
namespace {

using testing::AskStatus;
using testing::Bytes;

const Bytes kStatusReply{0x86, 0x01, 0xFE, 0, 0x3F, 0x00, 0x0F, 0, 0, 0, 0, 0, 0x49};

// A dropped client's socket is closed; the next client is served.
TEST(TcpServer, ServesClientsOneAfterAnotherAndDropClosesTheSocket) {
    SimulatedProcessor processor;
    TcpServer server{processor};
    std::string error;
    ASSERT_TRUE(server.Open(0, error)) << error;
    ASSERT_NE(server.Port(), 0);
    ASSERT_TRUE(server.Start());
    const int first = testing::ConnectLoopback(server.Port());
    ASSERT_GE(first, 0);
    EXPECT_EQ(AskStatus(first), kStatusReply);
    close(first);

    processor.SetFaults(FaultInjector({{FaultKind::kDrop, 1.0}}, 1));
    const int dropped = testing::ConnectLoopback(server.Port());
    ASSERT_GE(dropped, 0);
    const Frame status = BuildFrame(kDeviceAddress, 0xFE, {});
    ASSERT_TRUE(testing::WriteAll(dropped, status.data(), status.size()));
    EXPECT_TRUE(testing::PeerCloses(dropped));
    close(dropped);

    processor.SetFaults(FaultInjector{});
    const int next = testing::ConnectLoopback(server.Port());
    ASSERT_GE(next, 0);
    EXPECT_EQ(AskStatus(next), kStatusReply);
    close(next);
}

}  // namespace
}  // namespace hsq::sim
