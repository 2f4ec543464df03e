// What the application sets through its commands reads back unchanged through its decoders.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "commands/reply_decoders.h"
#include "sim_link.h"

namespace hsq::sim {
namespace {

using testing::SimLink;

const WindowRect kOdd{300, 1280, 8, 720};
const WindowRect kWide{1000, 8000, 4000, 60000};  // the widest the channel reports carry

struct RoundTrip {
    std::string name;
    // Every command it sends must return 13.
    std::function<std::vector<std::uint8_t>(DeviceCommands&)> set;
    std::function<void(SimLink&)> check;
};

std::uint8_t ModeArgument(int mode, int channel, int board) {
    return ImportChannelSelector(mode, channel, board);
}

std::vector<RoundTrip> InputCardCases() {
    return {
        {"MainSource",
         [](auto& c) {
             return std::vector{c.SelectInputCard(2), c.SetMainSource(2)};
         },
         [](SimLink& s) {
             const auto info = DecodeInputCardInfo(s.Ask(kQueryInputCardInfo, 2));
             EXPECT_EQ(info.card, 2);
             EXPECT_EQ(info.mainSignal, 2);
             EXPECT_EQ(info.mode, 0);
             EXPECT_EQ(info.subSignal, 15);
         }},
        {"PipWithItsSource",
         [](auto& c) {
             return std::vector{c.SelectInputCard(1), c.SetPipEnable(true), c.SetPipSource(3)};
         },
         [](SimLink& s) {
             const auto info = DecodeInputCardInfo(s.Ask(kQueryInputCardInfo, 1));
             EXPECT_EQ(info.mode, 2);
             EXPECT_EQ(info.subSignal, 3);
         }},
        {"PipOffForgetsItsSource",
         [](auto& c) {
             return std::vector{c.SetPipEnable(true), c.SetPipSource(0), c.SetPipEnable(false)};
         },
         [](SimLink& s) {
             const auto info = DecodeInputCardInfo(s.Ask(kQueryInputCardInfo, 0));
             EXPECT_EQ(info.mode, 0);
             EXPECT_EQ(info.subSignal, 15);
         }},
        {"TextOnReplacesPip",
         [](auto& c) {
             return std::vector{c.SetPipEnable(true), c.SetTextEnable(true)};
         },
         [](SimLink& s) {
             const auto info = DecodeInputCardInfo(s.Ask(kQueryInputCardInfo, 0));
             EXPECT_EQ(info.mode, 3);
             EXPECT_EQ(info.subSignal, 15);
         }},
        {"TextSourceKeepsTextOnInTwoBits",
         [](auto& c) {
             return std::vector{c.SetTextEnable(true), c.SetTextSource(1)};
         },
         [](SimLink& s) {
             const auto info = DecodeInputCardInfo(s.Ask(kQueryInputCardInfo, 0));
             EXPECT_EQ(info.mode, 3);
             EXPECT_EQ(info.subSignal, 1);
         }},
        {"PictureAdjustment",
         [](auto& c) {
             return std::vector{c.SelectInputCard(3), c.SetInputBrightness(100),
                                c.SetInputContrast(0), c.SetInputColour(77),
                                c.SetCaptionKey(1, 248, 252, 16)};
         },
         [](SimLink& s) {
             const auto info = DecodeInputCardInfo(s.Ask(kQueryInputCardInfo, 3));
             EXPECT_EQ(info.card, 3);
             EXPECT_EQ(info.brightness, 100);
             EXPECT_EQ(info.contrast, 0);
             EXPECT_EQ(info.colour, 77);
             EXPECT_EQ(info.thresholdDirection, 1);
             EXPECT_EQ(info.red, 248);
             EXPECT_EQ(info.green, 252);
             EXPECT_EQ(info.blue, 16);
         }},
        {"MainAndPipWindows",
         [](auto& c) {
             return std::vector{c.SelectInputCard(3), c.SetMainWindow({8191, 1920, 8, 1080}),
                                c.SetPipWindow(kOdd)};
         },
         [](SimLink& s) {
             const auto main = DecodeInputWindow(s.Ask(kQueryInputMainWindow, 3));
             EXPECT_EQ(main.card, 3);
             EXPECT_EQ(main.rect, (WindowRect{8191, 1920, 8, 1080}));
             const auto pip = DecodeInputWindow(s.Ask(kQueryInputPipWindow, 3));
             EXPECT_EQ(pip.rect, kOdd);
             // The mode bank reads the same two windows.
             EXPECT_EQ(DecodeBankInputWindow(s.Ask(kQueryBankInputWindow, 3)), main.rect);
             EXPECT_EQ(DecodeBankInputWindow(s.Ask(kQueryBankInputWindow2, 3)), kOdd);
         }},
    };
}

std::vector<RoundTrip> OutputBoardCases() {
    return {
        {"ChannelWindowsOfTheModeInForce",
         [](auto& c) {
             return std::vector{c.SelectOutputBoard(1, 0), c.RecallMode(5, true),
                                c.SetImageInputWindow(2, kOdd), c.SetImageOutputWindow(2, kWide)};
         },
         [](SimLink& s) {
             const Frame crop = s.Ask(kQueryImageInputWindow, ModeArgument(5, 2, 1));
             EXPECT_EQ(RouteReport(crop), ReportRoute::ImageInputWindow);
             const auto report = DecodeChannelWindow(crop);
             EXPECT_EQ(report.board, 1);
             EXPECT_EQ(report.channel, 2);
             EXPECT_EQ(report.mode, 5);
             EXPECT_EQ(report.rect, kOdd);
             const Frame output = s.Ask(kQueryImageOutputWindow, ModeArgument(5, 2, 1));
             EXPECT_EQ(RouteReport(output), ReportRoute::ImageOutputWindow);
             EXPECT_EQ(DecodeChannelWindow(output).rect, kWide);
             EXPECT_EQ(
                 DecodeBankChannelWindow(s.Ask(kQueryBankChannelCrop, ModeArgument(5, 2, 1)))->rect,
                 kOdd);
             EXPECT_EQ(
                 DecodeBankChannelWindow(s.Ask(kQueryBankChannelOutput, ModeArgument(5, 2, 1)))
                     ->rect,
                 kWide);
             // Mode 4 was not touched.
             EXPECT_NE(
                 DecodeChannelWindow(s.Ask(kQueryImageInputWindow, ModeArgument(4, 2, 1))).rect,
                 kOdd);
         }},
        {"ModeData",
         [](auto& c) {
             return std::vector{c.SelectOutputBoard(0, 1), c.RecallMode(3, false),
                                c.SetImageSource(3, 2),    c.SetMute(false),
                                c.SetSwitchMode(5),        c.SetOverlay(true),
                                c.SetApplicationMode(5)};
         },
         [](SimLink& s) {
             // Asked about mode 0, the report is of the mode in force.
             const Frame reply = s.Ask(kQueryModeData, ModeArgument(0, 0, 0));
             EXPECT_EQ(RouteReport(reply), ReportRoute::ModeData);
             const auto mode = DecodeModeData(reply);
             EXPECT_EQ(mode.board, 0);
             EXPECT_EQ(mode.displayMode, 3);
             EXPECT_EQ(mode.configMode, 5);
             EXPECT_EQ(mode.switchMode, 5);
             EXPECT_EQ(mode.ports, (std::array<std::uint8_t, 4>{0, 1, 2, 2}));
             EXPECT_EQ(mode.channelOn, (std::array<bool, 4>{true, false, true, true}));
             EXPECT_TRUE(mode.overlayMatrix);
             EXPECT_FALSE(mode.imageAll);
             EXPECT_EQ(mode.imageChannel, 1);
             EXPECT_EQ(DecodeSystemReport(s.Ask(kQuerySystem))->configModeK, 5);
         }},
        {"AllImagesUntilOneIsChosen",
         [](auto& c) {
             return std::vector{c.SelectOutputBoard(1, 2), c.ShowAllImages()};
         },
         [](SimLink& s) {
             EXPECT_TRUE(DecodeModeData(s.Ask(kQueryModeData, ModeArgument(0, 0, 1))).imageAll);
             EXPECT_EQ(s.commands.SelectImage(3), kFrameSize);
             const auto mode = DecodeModeData(s.Ask(kQueryModeData, ModeArgument(0, 0, 1)));
             EXPECT_FALSE(mode.imageAll);
             EXPECT_EQ(mode.imageChannel, 3);
         }},
        {"BorderAndBrightness",
         [](auto& c) {
             return std::vector{c.SelectOutputBoard(1, 0),
                                c.SetImageBorder(2, true, 255, 0, 128, 10),
                                c.SetOutputBrightness(32)};
         },
         [](SimLink& s) {
             const Frame border = s.Ask(kQueryImageBorder, ModeArgument(0, 2, 1));
             EXPECT_EQ(RouteReport(border), ReportRoute::ImageBorder);
             const auto report = DecodeImageBorder(border);
             EXPECT_EQ(report.board, 1);
             EXPECT_EQ(report.channel, 2);
             EXPECT_EQ(report.form, (std::array<std::uint8_t, 5>{1, 255, 0, 128, 10}));
             const Frame brightness = s.Ask(kQueryOutputBrightness, ModeArgument(0, 0, 1));
             EXPECT_EQ(RouteReport(brightness), ReportRoute::OutputBrightness);
             EXPECT_EQ(DecodeOutputBrightness(brightness).brightness, 32);
         }},
        {"CopyModeTakesTheWholeLayout",
         [](auto& c) {
             return std::vector{c.RecallMode(2, false), c.SetImageOutputWindow(0, kOdd),
                                c.SetImageSource(0, 3), c.CopyMode(2, 9)};
         },
         [](SimLink& s) {
             EXPECT_EQ(
                 DecodeChannelWindow(s.Ask(kQueryImageOutputWindow, ModeArgument(9, 0, 0))).rect,
                 kOdd);
             EXPECT_EQ(DecodeModeData(s.Ask(kQueryModeData, ModeArgument(9, 0, 0))).ports[0], 3);
         }},
        {"ClockSourceReportNamesItsChannel", [](auto&) { return std::vector<std::uint8_t>{}; },
         [](SimLink& s) {
             const Frame reply = s.Ask(kQueryClockSource, ModeArgument(0, 3, 1));
             EXPECT_EQ(RouteReport(reply), ReportRoute::ClockSource);
             const auto report = DecodeClockSource(reply);
             EXPECT_EQ(report.board, 1);
             EXPECT_EQ(report.channel, 3);
         }},
    };
}

std::vector<RoundTrip> SystemAndImportCases() {
    return {
        {"OutputFormatAndMatrixReference",
         [](auto& c) {
             return std::vector{c.SetOutputFormat(3, 1, 6), c.SetMatrixReference(1)};
         },
         [](SimLink& s) {
             const auto system = DecodeSystemReport(s.Ask(kQuerySystem));
             ASSERT_TRUE(system);
             EXPECT_EQ(system->outputFormat, 3);
             EXPECT_EQ(system->inAKout1, 1);
             EXPECT_EQ(system->configModeK, 1);
             EXPECT_EQ(system->configModeL, 6);
             const auto bank = DecodeBankSystem(s.Ask(kQueryBankSystem));
             EXPECT_EQ(bank->outputFormat, 3);
             EXPECT_EQ(bank->clockSource, 1);
         }},
        {"ImportSystemAndInputCard",
         [](auto& c) {
             return std::vector{c.ImportBegin(),
                                c.ImportSystem(2, 1),
                                c.ImportInputSetup(1, {9, 8, 7}),
                                c.ImportInputWindow(1, kOdd),
                                c.ImportInputWindow2(1, {16, 640, 16, 360}),
                                c.ImportEnd()};
         },
         [](SimLink& s) {
             EXPECT_EQ(DecodeBankSystem(s.Ask(kQueryBankSystem))->outputFormat, 2);
             EXPECT_EQ(DecodeBankInputSetup(s.Ask(kQueryBankInputSetup, 1)),
                       (std::array<std::uint8_t, 3>{9, 8, 7}));
             EXPECT_EQ(DecodeBankInputWindow(s.Ask(kQueryBankInputWindow, 1)), kOdd);
             EXPECT_EQ(DecodeBankInputWindow(s.Ask(kQueryBankInputWindow2, 1)),
                       (WindowRect{16, 640, 16, 360}));
             // The imported first window is the card's main picture.
             EXPECT_EQ(DecodeInputWindow(s.Ask(kQueryInputMainWindow, 1)).rect, kOdd);
         }},
        {"ImportOutputBoardAndMode",
         [](auto& c) {
             return std::vector{c.ImportBegin(),
                                c.ImportOutputSetup(1, 0x42, 0x17),
                                c.ImportChannelCropWindow(ImportChannelSelector(2, 1, 1), kOdd),
                                c.ImportChannelOutputWindow(ImportChannelSelector(2, 1, 1), kWide),
                                c.ImportModeSetup(1, 2, 0x55, {3, 2, 1, 0}, 0b0101),
                                c.ImportEnd()};
         },
         [](SimLink& s) {
             const auto board = DecodeBankBoardSetup(s.Ask(kQueryBankBoardSetup, 1));
             EXPECT_EQ(board->board, 1);
             EXPECT_EQ(board->boardByte, 0x42);
             EXPECT_EQ(board->clockByte, 0x17);
             const auto setup =
                 DecodeBankModeSetup(s.Ask(kQueryBankModeSetup, ModeArgument(2, 0, 1)));
             EXPECT_EQ(setup->board, 1);
             EXPECT_EQ(setup->mode, 2);
             EXPECT_EQ(setup->byteA, 0x55);
             EXPECT_EQ(setup->ports, (std::array<std::uint8_t, 4>{3, 2, 1, 0}));
             EXPECT_EQ(setup->channelOn, (std::array<bool, 4>{true, false, true, false}));
             const auto crop =
                 DecodeBankChannelWindow(s.Ask(kQueryBankChannelCrop, ModeArgument(2, 1, 1)));
             EXPECT_EQ(crop->channel, 1);
             EXPECT_EQ(crop->mode, 2);
             EXPECT_EQ(crop->rect, kOdd);
             EXPECT_EQ(
                 DecodeBankChannelWindow(s.Ask(kQueryBankChannelOutput, ModeArgument(2, 1, 1)))
                     ->rect,
                 kWide);
             // The output board window reads the same mode once it is in force.
             ASSERT_EQ(s.commands.SelectOutputBoard(1, 0), kFrameSize);
             ASSERT_EQ(s.commands.RecallMode(2, true), kFrameSize);
             EXPECT_EQ(DecodeModeData(s.Ask(kQueryModeData, ModeArgument(2, 0, 1))).ports,
                       (std::array<std::uint8_t, 4>{3, 2, 1, 0}));
         }},
    };
}

void PrintTo(const RoundTrip& trip, std::ostream* out) {
    *out << trip.name;
}

class RoundTripTest : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RoundTripTest, ReadsBackWhatWasSet) {
    SimLink sim;
    for (std::uint8_t result : GetParam().set(sim.commands))
        ASSERT_EQ(result, kFrameSize);
    GetParam().check(sim);
}

std::string CaseName(const ::testing::TestParamInfo<RoundTrip>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(InputCard, RoundTripTest, ::testing::ValuesIn(InputCardCases()), CaseName);
INSTANTIATE_TEST_SUITE_P(OutputBoard, RoundTripTest, ::testing::ValuesIn(OutputBoardCases()),
                         CaseName);
INSTANTIATE_TEST_SUITE_P(SystemAndImport, RoundTripTest,
                         ::testing::ValuesIn(SystemAndImportCases()), CaseName);

TEST(SystemQueries, ReportWhatTheProcessorWasBuiltWith) {
    ProcessorState state;
    state.ipAddress = {10, 0, 0, 7};
    state.configFlag1 = true;
    state.inputs[2].firmware = {4, 15, 9};
    state.outputs[1].firmware = {3, 12, 0};
    SimLink sim(state);
    EXPECT_EQ(DecodeIpAddress(sim.Ask(kQueryIpAddress)), "10.0.0.7");
    const auto system = DecodeSystemReport(sim.Ask(kQuerySystem));
    EXPECT_FALSE(system->configFlag0);
    EXPECT_TRUE(system->configFlag1);
    const auto inputs = DecodeInputVersions(sim.Ask(kQueryInputVersions));
    EXPECT_EQ(inputs[0], "V 1.3.2");
    EXPECT_EQ(inputs[2], "V 4.15.9");
    EXPECT_EQ(DecodeOutputVersions(sim.Ask(kQueryOutputVersions))[1], "V 3.12");
}

TEST(Replies, CarryTheirBytesOnTheWire) {
    SimLink sim;
    // Default address, and every card present and answering.
    EXPECT_EQ(sim.Ask(kQueryIpAddress),
              (Frame{0x86, 0x01, 0xFE, 0, 0xC0, 0xA8, 0x00, 0x64, 0, 0, 0, 0, 0x75}));
    EXPECT_EQ(sim.Ask(kQueryStatus),
              (Frame{0x86, 0x01, 0xFE, 0, 0x3F, 0x00, 0x0F, 0, 0, 0, 0, 0, 0x49}));
    // A crop window of x 300, width 1280, y 8, height 720 in mode 2, channel 1, board 0.
    ASSERT_EQ(sim.commands.ImportBegin(), 13);
    ASSERT_EQ(sim.commands.ImportChannelCropWindow(ImportChannelSelector(2, 1, 0), kOdd), 13);
    EXPECT_EQ(sim.Ask(kQueryImageInputWindow, ImportChannelSelector(2, 1, 0)),
              (Frame{0x86, 0x01, 0xFE, 0x09, 0x01, 0x2C, 0x45, 0x00, 0x20, 0x08, 0x02, 0xD0,
                     0x86 ^ 0x01 ^ 0xFE ^ 0x09 ^ 0x01 ^ 0x2C ^ 0x45 ^ 0x20 ^ 0x08 ^ 0x02 ^ 0xD0}));
}

}  // namespace
}  // namespace hsq::sim
