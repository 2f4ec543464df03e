#include "link/serial_port.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>

#include "link/device_link.h"
#include "link/serial_port_names.h"
#include "pty_pair.h"

namespace hsq {
namespace {

using Bytes = std::vector<std::uint8_t>;
using ::testing::internal::CaptureStdout;
using ::testing::internal::GetCapturedStdout;

const Bytes kStatusQuery{0x86, 0x01, 0xFE, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x79};

TEST(TraceLineTest, RendersTimeDirectionAndBytes) {
    EXPECT_EQ(FormatTraceLine(14, 3, 7, 42, kStatusQuery.data(), 13, 1, true),
              "14:03:07-042 -> 86 01 fe 00 00 00 00 00 00 00 00 00 79");
    const std::uint8_t lineFeed = 0x0A;
    EXPECT_EQ(FormatTraceLine(0, 0, 0, 5, &lineFeed, 1, 1, false), "00:00:00-005 <- 0a");
    const std::uint8_t text[] = {'O', 'K', 0, 'x'};
    EXPECT_EQ(FormatTraceLine(23, 59, 59, 999, text, 4, 0, true), "23:59:59-999 -> OK");
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
    CSerialPort port;
};

TEST_F(SerialPortTest, ReadTakesAtMostCountAndLeavesTheRestQueued) {
    OpenAndConfigure();
    Bytes twenty(20);
    for (int i = 0; i < 20; ++i)
        twenty[i] = static_cast<std::uint8_t>(0x30 + i);
    pty.SendToPort(twenty);
    ASSERT_TRUE(pty.WaitUntilPortHas(20));

    std::uint8_t buffer[13] = {};
    CaptureStdout();
    EXPECT_EQ(port.Read(buffer, 13, 1), 13);
    const std::string trace = GetCapturedStdout();
    EXPECT_EQ(Bytes(buffer, buffer + 13), Bytes(twenty.begin(), twenty.begin() + 13));
    EXPECT_TRUE(std::regex_match(
        trace, std::regex(R"(\d\d:\d\d:\d\d-\d\d\d <- 30 31 32 33 34 35 36 37 38 39 3a 3b 3c\n)")))
        << trace;
    EXPECT_EQ(pty.WaitingAtPort(), 7);
    EXPECT_EQ(port.Read(buffer, 13, 1), 7);
}

TEST_F(SerialPortTest, ReadReturnsWhatIsWaitingAndNothingWithoutTrace) {
    OpenAndConfigure();
    std::uint8_t buffer[13] = {};
    CaptureStdout();
    EXPECT_EQ(port.Read(buffer, 13, 1), 0);
    EXPECT_EQ(GetCapturedStdout(), "");

    pty.SendToPort({1, 2, 3, 4, 5});
    ASSERT_TRUE(pty.WaitUntilPortHas(5));
    EXPECT_EQ(port.Read(buffer, 13, 1), 5);
}

TEST_F(SerialPortTest, BinaryBytesPassUnchangedBothWays) {
    OpenAndConfigure();
    const Bytes binary{0x0A, 0x0D, 0x11, 0x13, 0x00, 0x03, 0x04, 0x1A, 0x7F, 0xFF, 0x0D, 0x0A};
    CaptureStdout();
    EXPECT_EQ(port.Write(binary.data(), static_cast<int>(binary.size()), 1), 12);
    const std::string trace = GetCapturedStdout();
    EXPECT_EQ(pty.ReceiveFromPort(binary.size()), binary);
    EXPECT_NE(trace.find(" -> 0a 0d 11 13 00 03 04 1a 7f ff 0d 0a\n"), std::string::npos) << trace;

    pty.SendToPort(binary);
    ASSERT_TRUE(pty.WaitUntilPortHas(static_cast<int>(binary.size())));
    std::uint8_t buffer[13] = {};
    ASSERT_EQ(port.Read(buffer, 13, 1), 12);
    EXPECT_EQ(Bytes(buffer, buffer + 12), binary);
}

TEST_F(SerialPortTest, OpenedButUnconfiguredPortRefusesTransfers) {
    ASSERT_EQ(port.Open(pty.slavePath()), 1);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Write(kStatusQuery.data(), 13, 1), 0);
    // A line still in its canonical state holds input back until a newline comes.
    pty.SendToPort({'9', '\n'});
    ASSERT_TRUE(pty.WaitUntilPortHas(2));
    std::uint8_t buffer[13] = {};
    EXPECT_EQ(port.Read(buffer, 13, 1), 0);
}

TEST_F(SerialPortTest, SecondOpenOfAHeldPortFails) {
    OpenAndConfigure();
    CSerialPort second;
    CaptureStdout();
    EXPECT_EQ(second.Open(pty.slavePath()), 0);
    const std::string trace = GetCapturedStdout();
    EXPECT_TRUE(std::regex_match(trace, std::regex("CreateFile Error\nGetLastError: .+\n")))
        << trace;
    EXPECT_FALSE(second.IsOpen());
    // Once the holder lets go, the port can be had again.
    port.Close();
    EXPECT_EQ(second.Open(pty.slavePath()), 1);
}

TEST_F(SerialPortTest, CloseEndsUseUntilOpenedAgain) {
    OpenAndConfigure();
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.Write(kStatusQuery.data(), 13, 1), 0);
    OpenAndConfigure();
    EXPECT_EQ(port.Write(kStatusQuery.data(), 13, 1), 13);
    EXPECT_EQ(pty.ReceiveFromPort(13), kStatusQuery);
}

TEST(SerialPortFailureTest, MissingDeviceNonTerminalAndUnopenedPortReportTheirLines) {
    CSerialPort port;
    CaptureStdout();
    EXPECT_EQ(port.Open("/dev/hsq2600-no-such-port"), 0);
    EXPECT_EQ(GetCapturedStdout(), "CreateFile Error\nGetLastError: No such file or directory\n");

    // A file that is no terminal cannot be held exclusively, so it is refused at the open.
    const auto file = std::filesystem::temp_directory_path() / "hsq2600-not-a-terminal";
    std::ofstream(file) << "x";
    CaptureStdout();
    EXPECT_EQ(port.Open(file.string()), 0);
    EXPECT_EQ(GetCapturedStdout(),
              "CreateFile Error\nGetLastError: Inappropriate ioctl for device\n");
    std::filesystem::remove(file);

    CaptureStdout();
    EXPECT_EQ(port.Configure(9600, false, 8, 0, 0), 0);
    EXPECT_EQ(GetCapturedStdout(), "GetCommState Error\nGetLastError: Bad file descriptor\n");
}

TEST_F(SerialPortTest, UnsupportedLineSettingsCloseThePort) {
    ASSERT_EQ(port.Open(pty.slavePath()), 1);
    CaptureStdout();
    EXPECT_EQ(port.Configure(9601, false, 8, 0, 0), 0);
    EXPECT_EQ(GetCapturedStdout(), "SetCommState Error\nGetLastError: Invalid argument\n");
    EXPECT_EQ(port.Write(kStatusQuery.data(), 13, 1), 0);
}

TEST_F(SerialPortTest, DeviceLinkExchangesAFrameOverTheLine) {
    VirtualClock clock;
    DeviceLink link(clock);
    link.SetUseSerial(1);
    ASSERT_EQ(link.Open("", 7, pty.slavePath()), 1);
    const Bytes reply{
        0x86, 0x01, 0xFE, 0x3F, 0x02, 0, 0, 0, 0, 0, 0, 0, 0x86 ^ 0x01 ^ 0xFE ^ 0x3F ^ 0x02};
    // The reply is already waiting when the frame goes out, as if the processor answered within
    // the pause.
    pty.SendToPort(reply);
    ASSERT_TRUE(pty.WaitUntilPortHas(13));
    CaptureStdout();
    EXPECT_EQ(link.SendPair(0x86, 0xFE, 0, 0), 13);
    Frame out{};
    EXPECT_EQ(link.WaitReply(out), 13);
    const std::string trace = GetCapturedStdout();
    EXPECT_EQ(pty.ReceiveFromPort(13), kStatusQuery);
    EXPECT_EQ(Bytes(out.begin(), out.end()), reply);
    EXPECT_TRUE(std::regex_match(
        trace, std::regex(R"(\d\d:\d\d:\d\d-\d\d\d -> 86 01 fe( 00){9} 79\n)"
                          R"(\d\d:\d\d:\d\d-\d\d\d <- 86 01 fe 3f 02( 00){7} 44\n)")))
        << trace;
    EXPECT_EQ(link.Close(), 1);
}

TEST(DeviceLinkSerialTest, MissingPortFailsTheOpenWithItsTrace) {
    VirtualClock clock;
    DeviceLink link(clock);
    link.SetUseSerial(1);
    CaptureStdout();
    EXPECT_EQ(link.Open("", 7, "ttyHSQ2600-missing"), 0);
    EXPECT_EQ(GetCapturedStdout(), "CreateFile Error\nGetLastError: No such file or directory\n");
}

}  // namespace
}  // namespace hsq
