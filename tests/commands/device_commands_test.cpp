#include "commands/device_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
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

using Bench = testing::RecordingLink;

struct CommandCase {
    std::string call;
    std::function<std::uint8_t(DeviceCommands&)> send;
    std::uint8_t code;
    Bytes data;
    int readsWithoutReply = kShortWait;
};

// The call's text names the case.
#define COMMAND(call, ...) CommandCase{#call, [](DeviceCommands& c) { return c.call; }, __VA_ARGS__}

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
const Bytes kFullHdBytes{0x00, 0x00, 0x07, 0x80, 0x00, 0x00, 0x04, 0x38};
const Bytes kOddBytes{0x01, 0x2C, 0x05, 0x00, 0x00, 0x08, 0x02, 0xD0};

Bytes With(std::uint8_t first, const Bytes& rest) {
    Bytes data(rest.size() + 1);
    data[0] = first;
    std::copy(rest.begin(), rest.end(), data.begin() + 1);
    return data;
}

std::uint8_t QueryInputVersions(DeviceCommands& commands) {
    Frame reply{};
    return commands.Query(24, 0, reply);
}

std::vector<CommandCase> CommandTable() {
    return {
        COMMAND(SelectInputCard(2), 0x80, {2, 0}),
        COMMAND(SetMainSource(3), 0x81, {0, 3}),
        COMMAND(SetPipEnable(true), 0x82, {0, 1}),
        COMMAND(SetPipSource(1), 0x83, {0, 1}),
        COMMAND(SetTextEnable(false), 0x84, {0, 0}),
        COMMAND(SetTextSource(2), 0x85, {0, 2}),
        COMMAND(SetMainWindow(kFullHd), 0x86, With(0, kFullHdBytes)),
        COMMAND(SetPipWindow(kOdd), 0x87, With(1, kOddBytes)),
        COMMAND(SetInputBrightness(50), 0x88, {0, 50}),
        COMMAND(SetInputContrast(60), 0x89, {0, 60}),
        COMMAND(SetInputColour(70), 0x8A, {0, 70}),
        COMMAND(SetCaptionKey(0, 8, 4, 8), 0x8B, {0, 0, 8, 4, 8}),
        COMMAND(SelectOutputBoard(1, 3), 0x8D, {1, 3}),
        COMMAND(RecallMode(7, true), 0x8E, {7, 1}),
        COMMAND(RecallMode(7, false), 0x8E, {7, 0}),
        COMMAND(SetImageSource(2, 3), 0x8F, {2, 3}),
        COMMAND(SelectImage(3), 0x90, {3, 0}),
        COMMAND(SetImageInputWindow(1, kOdd), 0x91, With(1, kOddBytes)),
        COMMAND(SetImageOutputWindow(3, kFullHd), 0x92, With(3, kFullHdBytes)),
        COMMAND(SetImageBorder(2, true, 255, 0, 128, 10), 0x93, {2, 1, 255, 0, 128, 10}),
        COMMAND(SetApplicationMode(6), 0x94, {6, 0}, kLongWait),
        COMMAND(ResetHdmi(), 0x97, {0, 0}),
        COMMAND(SetSynchronization(true), 0x9A, {1}),
        COMMAND(SetOutputFormat(6, 5, 1), 0x9C, {6, 5, 1}, kLongWait),
        COMMAND(VgaAutoAdjust(), 0x9E, {0, 0}),
        COMMAND(SetOutputBrightness(32), 0x9F, {32, 0}),
        COMMAND(CopyMode(2, 9), 0xA0, {2, 9}),
        COMMAND(ImportBegin(), 0xA4, {0, 0}),
        COMMAND(ImportSystem(3, 1), 0xA5, {3, 1}),
        COMMAND(ImportInputSetup(3, {9, 8, 7}), 0xA6, {3, 9, 8, 7}),
        COMMAND(ImportInputWindow(1, kFullHd), 0xA7, With(1, kFullHdBytes)),
        COMMAND(ImportInputWindow2(2, kOdd), 0xA8, With(2, kOddBytes)),
        COMMAND(ImportOutputSetup(1, 0x55, 0xAA), 0xA9, {1, 0x55, 0, 0xAA}),
        COMMAND(ImportModeSetup(1, 15, 0x21, {0, 1, 2, 3}, 0b1010), 0xAC,
                {1, 15, 0x21, 0, 1, 2, 3, 0b1010}),
        COMMAND(ImportChannelOutputWindow(ImportChannelSelector(2, 1, 0), kOdd), 0xAE,
                With(36, kOddBytes)),
        COMMAND(ImportChannelCropWindow(ImportChannelSelector(2, 1, 0), kOdd), 0xAF,
                With(36, kOddBytes)),
        COMMAND(ImportEnd(), 0xB0, {0, 0}, kLongWait),
        COMMAND(SetMute(true), 0xB4, {1, 0}),
        COMMAND(SetMatrixReference(1), 0xB5, {1, 0}),
        COMMAND(SetOverlay(true), 0xB6, {1, 0}),
        COMMAND(ShowAllImages(), 0xB7, {1, 0}),
        COMMAND(SetSwitchMode(5), 0xB8, {5, 0}),
        COMMAND(AdcCalibrate(3), 0xFC, {3, 0}, kNoReplyRead),
        COMMAND(WriteEdid(2, 2), 0xFD, {2, 2}, kNoReplyRead),
        {"Query(24, 0)", QueryInputVersions, 0xFE, {24, 0}},
    };
}

class CommandTableTest : public ::testing::TestWithParam<CommandCase> {};

// Each command is exactly one frame; the processor's silence costs it the wait its variant is
// given (none, 100 or 1000 reply attempts), and a reply confirms it at once.
TEST_P(CommandTableTest, SendsOneFrameAndWaitsAsItsVariant) {
    const CommandCase& row = GetParam();
    Bench silent;
    const std::uint8_t result = row.send(silent.commands);
    ASSERT_EQ(silent.transport.written.size(), 1u);
    EXPECT_EQ(silent.transport.written[0], ExpectedFrame(row.code, row.data));
    const std::vector<int> pauses = silent.clock.Pauses();
    EXPECT_EQ(std::count(pauses.begin(), pauses.end(), DeviceLink::kPollPauseMs),
              row.readsWithoutReply);
    EXPECT_EQ(silent.clock.ElapsedMs(), 200 + 100 * row.readsWithoutReply);
    EXPECT_EQ(result, row.readsWithoutReply == kNoReplyRead ? 13 : 0);

    Bench answered;
    answered.transport.Answer(Bytes(13, 0x86));
    EXPECT_EQ(row.send(answered.commands), 13);
}

INSTANTIATE_TEST_SUITE_P(AllCommands, CommandTableTest, ::testing::ValuesIn(CommandTable()),
                         [](const auto& info) {
                             std::string name = info.param.call;
                             std::erase_if(name, [](char c) { return !std::isalnum(c); });
                             return name;
                         });

}  // namespace
}  // namespace hsq
