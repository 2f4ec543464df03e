// The line service on a real Unix socket, its link on virtual time against a simulated processor.
#include "service/line_service.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <future>

#include "app/status_readback.h"
#include "commands/reply_decoders.h"
#include "config/default_configuration.h"
#include "service/line_client.h"
#include "service/line_messages.h"
#include "service/line_socket.h"
#include "modes/mode_test_support.h"
#include "sim/sim_link.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

using namespace std::chrono_literals;

// A program of this machine that reaches the processor through the service.
struct ServiceClient {
    explicit ServiceClient(const std::filesystem::path& socket)
        : client(LineClient::Connect(socket)), link(clock), commands(link) {
        if (client) link.AttachRemote(client.get());
    }
    ~ServiceClient() { link.AttachRemote(nullptr); }
    std::uint8_t AskStatus() {
        Frame reply{};
        return commands.Query(kQueryStatus, 0, reply);
    }

    std::unique_ptr<LineClient> client;
    VirtualClock clock;
    DeviceLink link;
    DeviceCommands commands;
};

class LineServiceTest : public ::testing::Test {
  protected:
    LineServiceTest() {
        sim.link.AttachTransport(&tap);
        std::string error;
        EXPECT_TRUE(service.Start(socket, error)) << error;
    }
    // The command codes and first data bytes the processor received, in order.
    std::vector<std::pair<int, int>> Received() const {
        std::vector<std::pair<int, int>> received;
        for (const Frame& frame : tap.frames) received.emplace_back(frame[2], frame[3]);
        return received;
    }

    // The line the service holds, as the connection settings name it.
    static ConnectionSettings Line() {
        ConnectionSettings line;
        line.serial = true;
        line.portName = "ttyHSQ9";
        return line;
    }

    testing::TempFolder folder;
    std::filesystem::path socket = LineSocketPath(folder.path(), LineChoice::From(Line()));
    sim::testing::SimLink sim;
    testing::FrameTap tap{sim.transport};
    LineService service{sim.commands};
};

TEST_F(LineServiceTest, OnlyThisUserMayUseTheSocketAndOneServiceHoldsALine) {
    struct stat info {};
    ASSERT_EQ(::stat(socket.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600);
    LineService second(sim.commands);
    std::string error;
    EXPECT_FALSE(second.Start(socket, error));
    EXPECT_EQ(error, "another service already holds this line (" + socket.string() + ")");
    ServiceClient client(socket);
    EXPECT_EQ(client.AskStatus(), kFrameSize);
}

// One program holds the line for a whole operation; another's exchange waits for it to end.
TEST_F(LineServiceTest, AHeldLineKeepsOtherProgramsWaitingUntilItIsLetGo) {
    ServiceClient importing(socket), asking(socket);
    std::promise<void> started;
    std::future<std::uint8_t> asked;
    {
        const auto hold = importing.link.HoldLine();
        asked = std::async(std::launch::async, [&] {
            started.set_value();
            return asking.commands.SelectInputCard(3);
        });
        started.get_future().wait();
        for (int card = 0; card < 3; ++card)
            EXPECT_EQ(importing.commands.SelectInputCard(static_cast<std::uint8_t>(card)), kFrameSize);
        EXPECT_EQ(asked.wait_for(0s), std::future_status::timeout);
    }
    EXPECT_EQ(asked.get(), kFrameSize);
    EXPECT_EQ(Received(), (std::vector<std::pair<int, int>>{{0x80, 0}, {0x80, 1}, {0x80, 2},
                                                            {0x80, 3}}));
}

// A program that dies holding the line, or that sends what is no exchange, lets it go.
TEST_F(LineServiceTest, AClientThatDiesHoldingTheLineOrSendsNonsenseLetsItGo) {
    for (const bool nonsense : {false, true}) {
        sockaddr_un address;
        ASSERT_TRUE(UnixAddress(socket, address));
        const int dying = ::socket(AF_UNIX, SOCK_STREAM, 0);
        ASSERT_EQ(::connect(dying, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        LineMessage message = EncodeRequest({ExchangeKind::Hold, {}});
        ASSERT_TRUE(WriteMessage(dying, message) && ReadMessage(dying, message));
        if (nonsense) {
            ASSERT_TRUE(WriteMessage(dying, LineMessage{'H', 99}));
        }
        ServiceClient next(socket);
        auto status = std::async(std::launch::async, [&] { return next.AskStatus(); });
        if (!nonsense) ::close(dying);
        ASSERT_EQ(status.wait_for(10s), std::future_status::ready);  // not held for ever
        EXPECT_EQ(status.get(), kFrameSize);
        if (nonsense) ::close(dying);
    }
}

// The desktop program finds the service holding its line, goes through it and says so; when the
// service ends it says the line is free again.
TEST_F(LineServiceTest, TheDesktopGoesThroughTheServiceAndIsToldWhenItEnds) {
    testing::TempFolder files;
    ASSERT_TRUE(WriteDefaultConfiguration(files.path()));
    ProfileStore store(files.path());
    VirtualClock clock;
    DeviceLink link(clock);
    DeviceCommands commands(link);
    MainWindowState state;
    state.language = kEnglish;
    state.connection = Line();
    StatusReadback readback(state, store, commands);
    readback.LookForServicesIn(folder.path());
    ASSERT_TRUE(readback.Connect());
    EXPECT_EQ(state.statusLine, "ttyHSQ9: through the service that holds the line");
    EXPECT_EQ(state.presence.output, (std::array<bool, 2>{true, true}));
    EXPECT_FALSE(readback.NoticeServiceEnd());

    service.Stop();
    EXPECT_TRUE(readback.NoticeServiceEnd());
    EXPECT_FALSE(state.connected);
    EXPECT_EQ(state.statusLine,
              "The service that held the line has ended: the line is free again, connect again");
}

// Well-formed requests are taken in the tests of programs going through the service; these are not.
TEST(LineMessages, MalformedRequestsAreRefused) {
    const Frame command = sim::testing::CommandFrame(0x80, {2, 0});
    Frame spoilt = command;
    spoilt[12] ^= 1;
    LineMessage trailing = EncodeRequest({ExchangeKind::Send, command});
    trailing[15] = 1;
    const std::vector<LineMessage> refused{
        EncodeRequest({ExchangeKind::Query, command}),  // a query must ask
        EncodeRequest({ExchangeKind::Send, spoilt}),
        EncodeAnswer({13, sim::testing::CommandFrame(0xFE, {1, 0})}),
        trailing,
    };
    for (std::size_t i = 0; i < refused.size(); ++i)
        EXPECT_FALSE(DecodeRequest(refused[i]).has_value()) << "case " << i;
}

}  // namespace
}  // namespace hsq
