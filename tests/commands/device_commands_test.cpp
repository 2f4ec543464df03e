#include "commands/device_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/recording_transport.h"

namespace hsq {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kNoReplyRead = 0;
constexpr int kShortWait = 100;
constexpr int kLongWait = 1000;

struct CommandCase {
    std::string name;
    std::function<std::uint8_t(DeviceCommands&)> send;
    std::uint8_t code;
    Bytes data;
    int readsWithoutReply;
};

Bytes ExpectedFrame(std::uint8_t code, const Bytes& data) {
    Bytes frame(13, 0);
    frame[0] = 0x86;
    frame[1] = 0x01;
    frame[2] = code;
    std::copy(data.begin(), data.end(), frame.begin() + 3);
    for (int i = 0; i < 12; ++i)
        frame[12] ^= frame[i];
    return frame;
}

const WindowRect kFullHd{0, 1920, 0, 1080};
const WindowRect kOdd{300, 1280, 8, 720};

std::vector<CommandCase> CommandTable() {
    return {
        {"SelectInputCard", [](auto& c) { return c.SelectInputCard(2); }, 0x80, {2, 0}, kShortWait},
        {"SetMainSource", [](auto& c) { return c.SetMainSource(3); }, 0x81, {0, 3}, kShortWait},
        {"SetPipEnable", [](auto& c) { return c.SetPipEnable(true); }, 0x82, {0, 1}, kShortWait},
        {"SetPipSource", [](auto& c) { return c.SetPipSource(1); }, 0x83, {0, 1}, kShortWait},
        {"SetTextEnable", [](auto& c) { return c.SetTextEnable(false); }, 0x84, {0, 0}, kShortWait},
        {"SetTextSource", [](auto& c) { return c.SetTextSource(2); }, 0x85, {0, 2}, kShortWait},
        {"SetMainWindow",
         [](auto& c) { return c.SetMainWindow(kFullHd); },
         0x86,
         {0, 0x00, 0x00, 0x07, 0x80, 0x00, 0x00, 0x04, 0x38},
         kShortWait},
        {"SetPipWindow",
         [](auto& c) { return c.SetPipWindow(kOdd); },
         0x87,
         {1, 0x01, 0x2C, 0x05, 0x00, 0x00, 0x08, 0x02, 0xD0},
         kShortWait},
        {"SetInputBrightness",
         [](auto& c) { return c.SetInputBrightness(50); },
         0x88,
         {0, 50},
         kShortWait},
        {"SetInputContrast",
         [](auto& c) { return c.SetInputContrast(60); },
         0x89,
         {0, 60},
         kShortWait},
        {"SetInputColour", [](auto& c) { return c.SetInputColour(70); }, 0x8A, {0, 70}, kShortWait},
        {"SetCaptionKey",
         [](auto& c) { return c.SetCaptionKey(0, 8, 4, 8); },
         0x8B,
         {0, 0, 8, 4, 8},
         kShortWait},
        {"SelectOutputBoard",
         [](auto& c) { return c.SelectOutputBoard(1, 3); },
         0x8D,
         {1, 3},
         kShortWait},
        {"RecallMode stored",
         [](auto& c) { return c.RecallMode(7, true); },
         0x8E,
         {7, 1},
         kShortWait},
        {"RecallMode edited",
         [](auto& c) { return c.RecallMode(7, false); },
         0x8E,
         {7, 0},
         kShortWait},
        {"SetImageSource",
         [](auto& c) { return c.SetImageSource(2, 3); },
         0x8F,
         {2, 3},
         kShortWait},
        {"SelectImage", [](auto& c) { return c.SelectImage(3); }, 0x90, {3, 0}, kShortWait},
        {"SetImageInputWindow",
         [](auto& c) { return c.SetImageInputWindow(1, kOdd); },
         0x91,
         {1, 0x01, 0x2C, 0x05, 0x00, 0x00, 0x08, 0x02, 0xD0},
         kShortWait},
        {"SetImageOutputWindow",
         [](auto& c) { return c.SetImageOutputWindow(3, kFullHd); },
         0x92,
         {3, 0x00, 0x00, 0x07, 0x80, 0x00, 0x00, 0x04, 0x38},
         kShortWait},
        {"SetImageBorder",
         [](auto& c) { return c.SetImageBorder(2, true, 255, 0, 128, 10); },
         0x93,
         {2, 1, 255, 0, 128, 10},
         kShortWait},
        {"SetApplicationMode",
         [](auto& c) { return c.SetApplicationMode(6); },
         0x94,
         {6, 0},
         kLongWait},
        {"ResetHdmi", [](auto& c) { return c.ResetHdmi(); }, 0x97, {0, 0}, kShortWait},
        {"SetSynchronization",
         [](auto& c) { return c.SetSynchronization(true); },
         0x9A,
         {1},
         kShortWait},
        {"SetOutputFormat",
         [](auto& c) { return c.SetOutputFormat(6, 5, 1); },
         0x9C,
         {6, 5, 1},
         kLongWait},
        {"VgaAutoAdjust", [](auto& c) { return c.VgaAutoAdjust(); }, 0x9E, {0, 0}, kShortWait},
        {"SetOutputBrightness",
         [](auto& c) { return c.SetOutputBrightness(32); },
         0x9F,
         {32, 0},
         kShortWait},
        {"CopyMode", [](auto& c) { return c.CopyMode(2, 9); }, 0xA0, {2, 9}, kShortWait},
        {"ImportBegin", [](auto& c) { return c.ImportBegin(); }, 0xA4, {0, 0}, kShortWait},
        {"ImportSystem", [](auto& c) { return c.ImportSystem(3, 1); }, 0xA5, {3, 1}, kShortWait},
        {"ImportInputSetup",
         [](auto& c) {
             return c.ImportInputSetup(3, {9, 8, 7});
         },
         0xA6,
         {3, 9, 8, 7},
         kShortWait},
        {"ImportInputWindow",
         [](auto& c) { return c.ImportInputWindow(1, kFullHd); },
         0xA7,
         {1, 0x00, 0x00, 0x07, 0x80, 0x00, 0x00, 0x04, 0x38},
         kShortWait},
        {"ImportInputWindow2",
         [](auto& c) { return c.ImportInputWindow2(2, kOdd); },
         0xA8,
         {2, 0x01, 0x2C, 0x05, 0x00, 0x00, 0x08, 0x02, 0xD0},
         kShortWait},
        {"ImportOutputSetup",
         [](auto& c) { return c.ImportOutputSetup(1, 0x55, 0xAA); },
         0xA9,
         {1, 0x55, 0, 0xAA},
         kShortWait},
        {"ImportModeSetup",
         [](auto& c) {
             return c.ImportModeSetup(1, 15, 0x21, {0, 1, 2, 3}, 0b1010);
         },
         0xAC,
         {1, 15, 0x21, 0, 1, 2, 3, 0b1010},
         kShortWait},
        {"ImportChannelOutputWindow",
         [](auto& c) { return c.ImportChannelOutputWindow(ImportChannelSelector(2, 1, 0), kOdd); },
         0xAE,
         {36, 1, 44, 5, 0, 0, 8, 2, 208},
         kShortWait},
        {"ImportChannelCropWindow",
         [](auto& c) { return c.ImportChannelCropWindow(ImportChannelSelector(2, 1, 0), kOdd); },
         0xAF,
         {36, 1, 44, 5, 0, 0, 8, 2, 208},
         kShortWait},
        {"ImportEnd", [](auto& c) { return c.ImportEnd(); }, 0xB0, {0, 0}, kLongWait},
        {"SetMute", [](auto& c) { return c.SetMute(true); }, 0xB4, {1, 0}, kShortWait},
        {"SetMatrixReference",
         [](auto& c) { return c.SetMatrixReference(1); },
         0xB5,
         {1, 0},
         kShortWait},
        {"SetOverlay", [](auto& c) { return c.SetOverlay(true); }, 0xB6, {1, 0}, kShortWait},
        {"ShowAllImages", [](auto& c) { return c.ShowAllImages(); }, 0xB7, {1, 0}, kShortWait},
        {"SetSwitchMode", [](auto& c) { return c.SetSwitchMode(5); }, 0xB8, {5, 0}, kShortWait},
        {"AdcCalibrate", [](auto& c) { return c.AdcCalibrate(3); }, 0xFC, {3, 0}, kNoReplyRead},
        {"WriteEdid DVI card C",
         [](auto& c) { return c.WriteEdid(2, 2); },
         0xFD,
         {2, 2},
         kNoReplyRead},
        {"Query",
         [](auto& c) {
             Frame r{};
             return c.Query(24, 0, r);
         },
         0xFE,
         {24, 0},
         kShortWait},
    };
}

class CommandTableTest : public ::testing::TestWithParam<CommandCase> {};

// Each command is exactly one frame, and the processor's silence costs it the wait its
// variant is given: none, 100 or 1000 reply attempts.
TEST_P(CommandTableTest, SendsOneFrameAndWaitsAsItsVariant) {
    const CommandCase& row = GetParam();
    VirtualClock clock;
    DeviceLink link(clock);
    testing::RecordingTransport transport(clock);
    link.AttachTransport(&transport);
    DeviceCommands commands(link);

    const std::uint8_t result = row.send(commands);

    ASSERT_EQ(transport.written.size(), 1u);
    EXPECT_EQ(transport.written[0], ExpectedFrame(row.code, row.data));
    const std::vector<int> pauses = clock.Pauses();
    EXPECT_EQ(std::count(pauses.begin(), pauses.end(), DeviceLink::kPollPauseMs),
              row.readsWithoutReply);
    EXPECT_EQ(clock.ElapsedMs(), 200 + 100 * row.readsWithoutReply);
    EXPECT_EQ(result, row.readsWithoutReply == kNoReplyRead ? 13 : 0);
}

TEST_P(CommandTableTest, ConfirmsWhenTheReplyArrives) {
    const CommandCase& row = GetParam();
    VirtualClock clock;
    DeviceLink link(clock);
    testing::RecordingTransport transport(clock);
    transport.Answer(Bytes(13, 0x86));
    link.AttachTransport(&transport);
    DeviceCommands commands(link);

    EXPECT_EQ(row.send(commands), 13);
}

INSTANTIATE_TEST_SUITE_P(AllCommands, CommandTableTest, ::testing::ValuesIn(CommandTable()),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::erase(name, ' ');
                             return name;
                         });

TEST(CommandFrameTest, MatchesTheWorkedExamples) {
    VirtualClock clock;
    DeviceLink link(clock);
    testing::RecordingTransport transport(clock);
    link.AttachTransport(&transport);
    DeviceCommands commands(link);

    Frame reply{};
    commands.Query(0, 0, reply);
    commands.SetMainWindow(kFullHd);

    ASSERT_EQ(transport.written.size(), 2u);
    EXPECT_EQ(transport.written[0], (Bytes{0x86, 0x01, 0xFE, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x79}));
    EXPECT_EQ(transport.written[1], (Bytes{0x86, 0x01, 0x86, 0x00, 0x00, 0x00, 0x07, 0x80, 0x00,
                                           0x00, 0x04, 0x38, 0xBA}));
}

TEST(QueryTest, FillsTheCallersBufferWithTheReply) {
    VirtualClock clock;
    DeviceLink link(clock);
    testing::RecordingTransport transport(clock);
    transport.Answer({0x86, 0x01, 0xFE, 2, 0xC0, 0xA8, 0x00, 0x64, 0, 0, 0, 0, 0});
    link.AttachTransport(&transport);
    DeviceCommands commands(link);

    Frame reply{};
    ASSERT_EQ(commands.Query(2, 0, reply), 13);
    EXPECT_EQ(reply[4], 0xC0);
    EXPECT_EQ(reply[7], 0x64);
}

TEST(WindowLayoutTest, SplitsEachValueHighByteFirstInXWYHOrder) {
    EXPECT_EQ(EncodeWindow(0x24, {0x1234, 0xABCD, 0x0001, 0xFF00}),
              (std::array<std::uint8_t, 9>{0x24, 0x12, 0x34, 0xAB, 0xCD, 0x00, 0x01, 0xFF, 0x00}));
    EXPECT_EQ(ImportChannelSelector(15, 3, 1), 15 * 16 + 3 * 4 + 1);
}

}  // namespace
}  // namespace hsq
