#include "link/serial_port.h"

#include <gtest/gtest.h>

#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <regex>
#include <thread>

#include "link/device_link.h"
#include "link/serial_port_names.h"
#include "pty_pair.h"

namespace hsq {
namespace {

using Bytes = std::vector<std::uint8_t>;

const Bytes kStatusQuery{0x86, 0x01, 0xFE, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x79};

// What an action prints on stdout, where the port writes its trace and its errors.
template <typename Action>
std::string Printed(Action action) {
    ::testing::internal::CaptureStdout();
    action();
    return ::testing::internal::GetCapturedStdout();
}

TEST(SerialDevicePathTest, MapsStoredNamesToDevices) {
    EXPECT_EQ(SerialDevicePath("COM1"), "/dev/ttyS0");
    EXPECT_EQ(SerialDevicePath("com12"), "/dev/ttyS11");
    EXPECT_EQ(SerialDevicePath("ttyUSB0"), "/dev/ttyUSB0");
    EXPECT_EQ(SerialDevicePath("/dev/pts/7"), "/dev/pts/7");
    EXPECT_EQ(SerialDevicePath("COM0"), "/dev/COM0");
    EXPECT_EQ(SerialDevicePath("COMX"), "/dev/COMX");
}

class SerialPortTest : public ::testing::Test {
  protected:
    void OpenAndConfigure() {
        ASSERT_EQ(port.Open(pty.slavePath()), 1);
        ASSERT_EQ(port.Configure(9600, false, 8, 0, 0), 1);
        ASSERT_TRUE(port.IsOpen());
    }

    testing::PtyPair pty;
    VirtualClock clock;
    CSerialPort port{clock};
};

// Control and high bytes pass unchanged both ways; a read takes what waits, up to its count,
// and traces only what came.
TEST_F(SerialPortTest, BytesPassUnchangedBothWaysAndAReadTakesUpToItsCount) {
    OpenAndConfigure();
    const Bytes binary{0x0A, 0x0D, 0x11, 0x13, 0x00, 0x03, 0x04, 0x1A, 0x7F, 0xFF, 0x0D, 0x0A};
    const std::string sentTrace = Printed([&] { EXPECT_EQ(port.Write(binary.data(), 12, 1), 12); });
    EXPECT_EQ(pty.ReceiveFromPort(binary.size()), binary);
    EXPECT_NE(sentTrace.find(" -> 0a 0d 11 13 00 03 04 1a 7f ff 0d 0a\n"), std::string::npos)
        << sentTrace;

    std::uint8_t buffer[13] = {};
    EXPECT_EQ(Printed([&] { EXPECT_EQ(port.Read(buffer, 13, 1), 0); }), "");
    Bytes twenty = binary;
    twenty.insert(twenty.end(), {0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37});
    pty.SendToPort(twenty);
    ASSERT_TRUE(pty.WaitUntilPortHas(20));
    const std::string trace = Printed([&] { EXPECT_EQ(port.Read(buffer, 13, 1), 13); });
    EXPECT_EQ(Bytes(buffer, buffer + 13), Bytes(twenty.begin(), twenty.begin() + 13));
    EXPECT_TRUE(std::regex_match(
        trace, std::regex(R"(\d\d:\d\d:\d\d-\d\d\d <- 0a 0d 11 13 00 03 04 1a 7f ff 0d 0a 30\n)")))
        << trace;
    EXPECT_EQ(pty.WaitingAtPort(), 7);
    EXPECT_EQ(port.Read(buffer, 13, 1), 7);
    EXPECT_EQ(Bytes(buffer, buffer + 7), Bytes(twenty.begin() + 13, twenty.end()));
}

TEST_F(SerialPortTest, FrameWaitsForAStoppedLineToGoOnAndGoesOutWhole) {
    OpenAndConfigure();
    pty.HoldPortOutput(true);
    const pid_t writer = gettid();
    Bytes received;
    std::thread processor([&] {
        // The processor takes bytes again only once the write is waiting for room.
        testing::Eventually([&] { return testing::ThreadIsSleeping(writer); });
        pty.HoldPortOutput(false);
        received = pty.ReceiveFromPort(13);
    });
    const int written = port.Write(kStatusQuery.data(), 13, 1);
    processor.join();
    EXPECT_EQ(written, 13);
    EXPECT_EQ(received, kStatusQuery);
}

TEST_F(SerialPortTest, WriteTheLineCannotTakeInTimeReportsNothingWritten) {
    OpenAndConfigure();
    // More than the pseudo-terminal holds while the processor does not read: the line takes a
    // part, which is never reported as written, and what of it is still queued is dropped.
    const Bytes block(1 << 18, 0x55);
    const std::string trace = Printed([&] {
        pty.HoldPortOutput(true);
        EXPECT_EQ(port.Write(kStatusQuery.data(), 13, 1), 0);
        pty.HoldPortOutput(false);
        EXPECT_EQ(port.Write(block.data(), static_cast<int>(block.size()), 1), 0);
    });
    EXPECT_TRUE(std::regex_match(
        trace,
        std::regex("(WriteFile Error\nGetLastError: Resource temporarily unavailable\n){2}")))
        << trace.substr(0, 200);
    const auto reached = static_cast<std::size_t>(pty.WaitingAtProcessor());
    EXPECT_EQ(port.Write(kStatusQuery.data(), 13, 1), 13);
    const Bytes received = pty.ReceiveFromPort(reached + 13);
    ASSERT_EQ(received.size(), reached + 13);
    EXPECT_EQ(Bytes(received.end() - 13, received.end()), kStatusQuery);
}

TEST_F(SerialPortTest, ConfigureLeavesTheLineRawAt9600EightNoneOne) {
    // Start from a line as a driver or an earlier program may leave it.
    termios used{};
    ASSERT_EQ(tcgetattr(pty.portSide(), &used), 0);
    used.c_iflag |= IXON | IXOFF | IXANY | INPCK | ICRNL;
    used.c_oflag |= OPOST | ONLCR;
    used.c_lflag |= ICANON | ECHO | ISIG;
    used.c_cflag |= CSTOPB | CRTSCTS;
    used.c_cc[VMIN] = 1;
    used.c_cc[VTIME] = 5;
    cfsetispeed(&used, B19200);
    cfsetospeed(&used, B19200);
    ASSERT_EQ(tcsetattr(pty.portSide(), TCSANOW, &used), 0);

    OpenAndConfigure();
    termios line{};
    ASSERT_EQ(tcgetattr(pty.portSide(), &line), 0);
    EXPECT_EQ(cfgetispeed(&line), static_cast<speed_t>(B9600));
    EXPECT_EQ(cfgetospeed(&line), static_cast<speed_t>(B9600));
    EXPECT_EQ(line.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS | CLOCAL | CREAD),
              static_cast<tcflag_t>(CS8 | CLOCAL | CREAD));
    EXPECT_EQ(line.c_iflag & (IXON | IXOFF | IXANY | INPCK | ICRNL), 0u);
    EXPECT_EQ(line.c_oflag & OPOST, 0u);
    EXPECT_EQ(line.c_lflag & (ICANON | ECHO | ISIG), 0u);
    EXPECT_EQ(line.c_cc[VMIN], 0);
    EXPECT_EQ(line.c_cc[VTIME], 0);
}

TEST_F(SerialPortTest, HeldPortIsExclusiveUntilClosedAndServesAgainWhenReopened) {
    OpenAndConfigure();
    EXPECT_TRUE(pty.PortIsExclusive());
    CSerialPort second;
    const std::string trace = Printed([&] { EXPECT_EQ(second.Open(pty.slavePath()), 0); });
    EXPECT_TRUE(std::regex_match(trace, std::regex("CreateFile Error\nGetLastError: .+\n")))
        << trace;
    // The refused opener leaves the holder's flag alone; the holder clears it when it lets go.
    EXPECT_TRUE(pty.PortIsExclusive());
    port.Close();
    EXPECT_FALSE(pty.PortIsExclusive());
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(second.Open(pty.slavePath()), 1);
    second.Close();
    OpenAndConfigure();
    EXPECT_EQ(port.Write(kStatusQuery.data(), 13, 1), 13);
    EXPECT_EQ(pty.ReceiveFromPort(13), kStatusQuery);
}

TEST_F(SerialPortTest, GoneFarEndIsReportedOnceAndEndsTheTransport) {
    OpenAndConfigure();
    pty.CloseProcessorEnd();
    std::uint8_t buffer[13] = {};
    EXPECT_EQ(Printed([&] {
                  EXPECT_EQ(port.ReadAvailable(buffer, 13), kTransportGone);
                  EXPECT_EQ(port.ReadAvailable(buffer, 13), kTransportGone);
                  EXPECT_EQ(port.Read(buffer, 13, 1), 0);
              }),
              "ReadFile Error\nGetLastError: Input/output error\n");
    EXPECT_TRUE(port.IsOpenTransport());
    port.Close();
    EXPECT_FALSE(port.IsOpenTransport());
}

TEST_F(SerialPortTest, LineSettingsNotTakenCloseThePort) {
    // 9601 baud exists nowhere; a pseudo-terminal keeps 8 bits and no parity whatever it is told,
    // which only reading the settings back shows.
    const struct {
        std::uint32_t baud;
        std::uint8_t byteSize, parity;
    } kRefused[] = {{9601, 8, 0}, {9600, 7, 0}, {9600, 8, 2}};
    for (const auto& settings : kRefused) {
        SCOPED_TRACE(::testing::Message() << settings.baud << " baud, " << int{settings.byteSize}
                                          << " bits, parity " << int{settings.parity});
        ASSERT_EQ(port.Open(pty.slavePath()), 1);
        const std::string printed = Printed([&] {
            EXPECT_EQ(port.Configure(settings.baud, false, settings.byteSize, settings.parity, 0),
                      0);
        });
        EXPECT_EQ(printed, "SetCommState Error\nGetLastError: Invalid argument\n");
        EXPECT_EQ(port.Write(kStatusQuery.data(), 13, 1), 0);
        EXPECT_FALSE(pty.PortIsExclusive());
    }
}

}  // namespace
}  // namespace hsq
