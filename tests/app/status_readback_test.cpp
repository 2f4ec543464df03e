// Connecting, the handshake, the system and input card reads and initialisation, against the
// simulated processor.
#include "app/status_readback.h"

#include <filesystem>

#include "modes/mode_test_support.h"
#include "readback_fixture.h"
#include "support/loopback_socket.h"
#include "support/recording_transport.h"

namespace hsq {
namespace {

using testing::ReadbackFixture;

using StatusReadbackTest = ReadbackFixture;

TEST_F(StatusReadbackTest, ConnectingShakesHandsAndRecordsTheSystemAndVersions) {
    state.connection.portName = "COM2";
    ASSERT_TRUE(readback.Connect());
    EXPECT_TRUE(state.connected);
    EXPECT_EQ(state.statusLine, "COM2Serial Opened successfully");
    EXPECT_EQ(state.presence.input, (std::array<bool, 4>{true, true, true, true}));
    EXPECT_EQ(state.presence.output, (std::array<bool, 2>{true, true}));
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "System", "outformat"), "6");
    EXPECT_EQ(state.system.resolution, (OutputResolution{6, 1920, 1080}));
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "Version", "INA"), "V 1.3.2");
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "Version", "OUTL"), "V 2.1");
    // 1000 ms after opening, before the status query goes out.
    ASSERT_FALSE(sim.clock.Pauses().empty());
    EXPECT_EQ(sim.clock.Pauses().front(), 1000);
}

TEST_F(StatusReadbackTest, ChineseTextsOnTheStatusLine) {
    state.language = kChinese;
    ASSERT_TRUE(readback.Connect());
    EXPECT_EQ(state.statusLine, "COM1串口已打开成功");
    state.connection.serial = false;
    readback.Disconnect();
    EXPECT_EQ(state.statusLine, "COM1已关闭");
    state.connection.ip = "127.0.0.1";
    ASSERT_TRUE(readback.Connect());
    EXPECT_EQ(state.statusLine, "网络已打开成功");
    state.language = kEnglish;
    readback.Disconnect();
    EXPECT_EQ(state.statusLine, "127.0.0.1Closed");
}

TEST(StatusReadbackPresence, FlagsComeFromTheStatusReplyOnly) {
    testing::TempFolder folder;
    ProfileStore store(folder.path());
    testing::RecordingLink bench;
    MainWindowState state;
    StatusReadback readback(state, store, bench.commands);

    // Byte 4 = 0x2F lists every card but K; byte 5 bit 1 takes B away again.
    bench.transport.Answer({0x86, 0x01, 0xFE, 0x00, 0x2F, 0x02, 0x0F, 0, 0, 0, 0, 0,
                            0x86 ^ 0x01 ^ 0xFE ^ 0x2F ^ 0x02 ^ 0x0F});
    ASSERT_TRUE(readback.Handshake());
    EXPECT_EQ(state.presence.input, (std::array<bool, 4>{true, false, true, true}));
    EXPECT_EQ(state.presence.output, (std::array<bool, 2>{false, true}));

    // No reply: the link closes and the flags stay as they were.
    const int closesBefore = bench.transport.closes;
    EXPECT_FALSE(readback.Handshake());
    EXPECT_EQ(bench.transport.closes, closesBefore + 1);
    EXPECT_EQ(state.statusLine, "COM1已关闭");
    EXPECT_EQ(state.presence.input, (std::array<bool, 4>{true, false, true, true}));
    EXPECT_EQ(state.presence.output, (std::array<bool, 2>{false, true}));
}

TEST_F(StatusReadbackTest, AFailedHandshakeClosesTheLinkAndSaysSo) {
    sim.processor.SetFaults(sim::FaultInjector({{sim::FaultKind::kNoReply, 1.0}}, 1));
    EXPECT_FALSE(readback.Connect());
    EXPECT_FALSE(state.connected);
    EXPECT_EQ(state.statusLine, "COM1Serial Closed");
    state.connection.serial = false;
    EXPECT_FALSE(readback.Connect());
    EXPECT_EQ(state.statusLine, "Network closed");
}

TEST(StatusReadbackOpen, FailuresOnRealTransportsInBothLanguages) {
    if (std::filesystem::exists("/dev/ttyS2")) GTEST_SKIP() << "this machine has a COM3";
    testing::TempFolder folder;
    ProfileStore store(folder.path());
    VirtualClock clock;
    DeviceLink link(clock);
    DeviceCommands commands(link);
    MainWindowState state;
    const testing::LoopbackSocket unused;  // bound, never listening: nobody answers there
    StatusReadback readback(state, store, commands, unused.port);

    state.connection.portName = "COM3";
    for (const auto& [language, serialText, networkText] :
         {std::tuple{kEnglish, "COM3Serial Open Failed", "Network open failed"},
          std::tuple{kChinese, "COM3", "网络打开失败"}}) {
        state.language = language;
        state.connection.serial = true;
        ::testing::internal::CaptureStdout();
        EXPECT_FALSE(readback.Connect());
        ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(state.statusLine, serialText);
        state.connection.serial = false;
        state.connection.ip = "127.0.0.1";
        EXPECT_FALSE(readback.Connect());
        EXPECT_EQ(state.statusLine, networkText);
    }
}

TEST_F(StatusReadbackTest, ASystemReplyNotFromTheProcessorWritesNothing) {
    testing::RecordingTransport transport(sim.clock);
    sim.link.AttachTransport(&transport);
    store.WriteValue(ConfigFileKind::SystemInfo, "System", "outformat", "3");
    const std::string before = folder.Read("2600Info.ini");
    // Byte 0 is not 0x86; the version questions then get no reply.
    transport.Answer({0x85, 0x01, 0xFE, 0x01, 0, 0, 1, 2, 3, 0, 3, 0, 0});
    readback.ReadSystemStatus();
    EXPECT_EQ(folder.Read("2600Info.ini"), before);
    EXPECT_EQ(state.configFlags, (std::array<bool, 2>{}));
    // The file's values still reach the main window.
    EXPECT_EQ(state.system.resolution, (OutputResolution{3, 1920, 1200}));
}

TEST_F(StatusReadbackTest, InitialisingAfterOutformat3WritesTheNewSizeIntoEveryRectangle) {
    testing::ScriptedHost host;
    ASSERT_TRUE(readback.Connect());
    ASSERT_EQ(sim.commands.SetOutputFormat(3, 0, 0), kFrameSize);
    readback.ReadSystemStatus();
    ASSERT_EQ(Read(ConfigFileKind::SystemInfo, "System", "outformat"), "3");
    ASSERT_EQ(state.system.resolution, (OutputResolution{3, 1920, 1200}));
    const auto replacementsBefore = store.FileReplacements();
    host.RunWorker([&](WorkProgress& progress) { readback.InitialiseSystem(progress); });
    for (std::uint8_t card : {1, 2})
        EXPECT_EQ(ModeValues(card), std::set<std::string>{"1920,1200,0,0"}) << int{card};
    EXPECT_EQ(Read(ConfigFileKind::Input, "InputCardPIPPipData", "Input4PipData"),
              "640,400,16,16");
    EXPECT_EQ(state.outputs[1].outputRect[3], (WindowRect{0, 1920, 0, 1200}));
    EXPECT_EQ(host.progress.back(), (std::pair<int, int>{1, 1}));
    // One replacement per file: 2600Info.ini, Input.ini, Output1.ini, Output2.ini.
    EXPECT_LE(store.FileReplacements() - replacementsBefore, 4u);
}

// A question unanswered is asked once more. (Nothing recorded when a read fails: port_loss_test.)
TEST_F(StatusReadbackTest, ReadingAnInputCardAsksAnUnansweredQuestionOnceMore) {
    ASSERT_TRUE(readback.Connect());
    testing::FrameTap tap(sim.transport);
    sim.link.AttachTransport(&tap);
    int silenced = 0;
    tap.silence = [&](const Frame& frame) {
        return frame[2] == 0xFE && frame[3] == kQueryInputPipWindow && silenced++ < 1;
    };
    EXPECT_TRUE(readback.ReadInputCard(2).Done());
    EXPECT_EQ(Read(ConfigFileKind::Input, "InputCardInfo", "InCard3"), "1,0,15");
    EXPECT_EQ(Read(ConfigFileKind::Input, "B_C_C_C_TKRGB_IN", "InCard3"), "50,50,50,0,8,4,8");
    EXPECT_EQ(state.inputs[2].pipRect, (WindowRect{16, 640, 16, 360}));
    // Select, then the three questions, the last one twice.
    std::vector<std::uint8_t> sent;
    for (const Frame& frame : tap.frames) sent.push_back(frame[2] == 0xFE ? frame[3] : frame[2]);
    EXPECT_EQ(sent, (std::vector<std::uint8_t>{0x80, kQueryInputCardInfo, kQueryInputMainWindow,
                                               kQueryInputPipWindow, kQueryInputPipWindow}));
}

TEST_F(StatusReadbackTest, CheckInputCardAsksTheStatus) {
    ASSERT_TRUE(readback.Connect());
    EXPECT_TRUE(readback.CheckInputCard(1));
    EXPECT_TRUE(readback.CheckInputCard(4));
    sim.clock.ClearPauses();
    EXPECT_FALSE(readback.CheckInputCard(5));
    // The link's pause after the query, then the card's.
    EXPECT_EQ(sim.clock.Pauses(), (std::vector<int>{200, 200}));
}

}  // namespace
}  // namespace hsq
