// What the application sets through its commands reads back unchanged through its decoders.
#include <gtest/gtest.h>

#include "commands/reply_decoders.h"
#include "sim_link.h"
#include "support/numbers.h"

namespace hsq::sim {
namespace {

using testing::SimLink;
using hsq::testing::Numbers;

const WindowRect kOdd{300, 1280, 8, 720};
const WindowRect kWide{1000, 8000, 4000, 60000};  // the widest the channel reports carry

// Every command sent is confirmed with a whole frame.
void ExpectAcked(std::initializer_list<std::uint8_t> results) {
    for (const std::uint8_t result : results)
        EXPECT_EQ(result, kFrameSize);
}

std::uint8_t At(int mode, int channel, int board) {
    return ImportChannelSelector(mode, channel, board);
}

// The reply to the query, checked to reach the decoder its selector names.
Frame AskRouted(SimLink& sim, std::uint8_t selector, std::uint8_t argument, ReportRoute route) {
    const Frame reply = sim.Ask(selector, argument);
    EXPECT_EQ(RouteReport(reply), route);
    return reply;
}

TEST(InputCard, PictureAndWindowsReadBack) {
    SimLink sim;
    ExpectAcked({sim.commands.SelectInputCard(3), sim.commands.SetInputBrightness(100),
                 sim.commands.SetInputContrast(0), sim.commands.SetInputColour(77),
                 sim.commands.SetCaptionKey(1, 248, 252, 16),
                 sim.commands.SetMainWindow({8191, 1920, 8, 1080}),
                 sim.commands.SetPipWindow(kOdd)});
    const auto c = DecodeInputCardInfo(sim.Ask(kQueryInputCardInfo, 3));
    EXPECT_EQ(Numbers(c.card, c.brightness, c.contrast, c.colour, c.thresholdDirection, c.red,
                      c.green, c.blue),
              Numbers(3, 100, 0, 77, 1, 248, 252, 16));
    const auto main = DecodeInputWindow(sim.Ask(kQueryInputMainWindow, 3));
    EXPECT_EQ(std::tie(main.card, main.rect), std::tuple(3, WindowRect{8191, 1920, 8, 1080}));
    EXPECT_EQ(DecodeInputWindow(sim.Ask(kQueryInputPipWindow, 3)).rect, kOdd);
    // The mode bank reads the same two windows.
    EXPECT_EQ(DecodeBankInputWindow(sim.Ask(kQueryBankInputWindow, 3)), main.rect);
    EXPECT_EQ(DecodeBankInputWindow(sim.Ask(kQueryBankInputWindow2, 3)), kOdd);
}

TEST(OutputBoard, ChannelWindowsBorderAndBrightnessOfTheModeInForce) {
    SimLink sim;
    ExpectAcked({sim.commands.SelectOutputBoard(1, 0), sim.commands.RecallMode(5, true),
                 sim.commands.SetImageInputWindow(2, kOdd),
                 sim.commands.SetImageOutputWindow(2, kWide),
                 sim.commands.SetImageBorder(2, true, 255, 0, 128, 10),
                 sim.commands.SetOutputBrightness(32)});
    const auto report = DecodeChannelWindow(
        AskRouted(sim, kQueryImageInputWindow, At(5, 2, 1), ReportRoute::ImageInputWindow));
    EXPECT_EQ(Numbers(report.board, report.channel, report.mode), Numbers(1, 2, 5));
    EXPECT_EQ(report.rect, kOdd);
    const Frame output =
        AskRouted(sim, kQueryImageOutputWindow, At(5, 2, 1), ReportRoute::ImageOutputWindow);
    EXPECT_EQ(DecodeChannelWindow(output).rect, kWide);
    EXPECT_EQ(DecodeBankChannelWindow(sim.Ask(kQueryBankChannelCrop, At(5, 2, 1)))->rect, kOdd);
    EXPECT_EQ(DecodeBankChannelWindow(sim.Ask(kQueryBankChannelOutput, At(5, 2, 1)))->rect, kWide);
    // Mode 4 was not touched.
    EXPECT_NE(DecodeChannelWindow(sim.Ask(kQueryImageInputWindow, At(4, 2, 1))).rect, kOdd);

    const auto border =
        DecodeImageBorder(AskRouted(sim, kQueryImageBorder, At(0, 2, 1), ReportRoute::ImageBorder));
    EXPECT_EQ(Numbers(border.board, border.channel), Numbers(1, 2));
    EXPECT_EQ(border.form, (std::array<std::uint8_t, 5>{1, 255, 0, 128, 10}));
    const Frame brightness =
        AskRouted(sim, kQueryOutputBrightness, At(0, 0, 1), ReportRoute::OutputBrightness);
    EXPECT_EQ(DecodeOutputBrightness(brightness).brightness, 32);
    const auto clock =
        DecodeClockSource(AskRouted(sim, kQueryClockSource, At(0, 3, 1), ReportRoute::ClockSource));
    EXPECT_EQ(Numbers(clock.board, clock.channel), Numbers(1, 3));
}

// As the processor warns the operator, a new application mode (of the selected card) or output
// format (of every card) initialises the mode data: mode 0, every window the whole picture.
TEST(OutputBoard, AnApplicationModeOrAnOutputFormatStartsTheModesAfresh) {
    SimLink sim;
    const WindowRect small{10, 100, 20, 200};
    ExpectAcked({sim.commands.SelectOutputBoard(1, 0), sim.commands.RecallMode(3, false),
                 sim.commands.SetImageOutputWindow(0, small), sim.commands.SetApplicationMode(1)});
    const OutputBoardState l = sim.processor.Snapshot().outputs[1];
    EXPECT_EQ(l.displayMode, 0);
    EXPECT_EQ(l.modes[3].channels[0].output, (WindowRect{0, 1920, 0, 1080}));
    EXPECT_EQ(sim.processor.Snapshot().outputs[0], ProcessorState{}.outputs[0]);

    ExpectAcked({sim.commands.RecallMode(3, false), sim.commands.SetImageOutputWindow(0, small),
                 sim.commands.SetOutputFormat(3, 0, 1)});
    for (const OutputBoardState& board : sim.processor.Snapshot().outputs) {
        EXPECT_EQ(board.displayMode, 0);
        EXPECT_EQ(board.modes[3].channels[0].crop, (WindowRect{0, 1920, 0, 1200}));
    }
}

TEST(OutputBoard, ModeDataShowsAllImagesUntilOneIsChosen) {
    SimLink sim;
    // The application mode first: the card starts its mode data afresh on it.
    ExpectAcked({sim.commands.SelectOutputBoard(0, 1), sim.commands.SetApplicationMode(5),
                 sim.commands.RecallMode(3, false), sim.commands.SetImageSource(3, 2),
                 sim.commands.SetMute(false), sim.commands.SetSwitchMode(5),
                 sim.commands.SetOverlay(true)});
    // Asked about mode 0, the report is of the mode in force.
    const auto m =
        DecodeModeData(AskRouted(sim, kQueryModeData, At(0, 0, 0), ReportRoute::ModeData));
    EXPECT_EQ(Numbers(m.board, m.displayMode, m.configMode, m.switchMode, m.overlayMatrix,
                      m.imageAll, m.imageChannel),
              Numbers(0, 3, 5, 5, true, false, 1));
    EXPECT_EQ(m.ports, (std::array<std::uint8_t, 4>{0, 1, 2, 2}));
    EXPECT_EQ(m.channelOn, (std::array<bool, 4>{true, false, true, true}));
    EXPECT_EQ(DecodeSystemReport(sim.Ask(kQuerySystem))->configModeK, 5);

    ExpectAcked({sim.commands.SelectOutputBoard(1, 2), sim.commands.ShowAllImages()});
    EXPECT_TRUE(DecodeModeData(sim.Ask(kQueryModeData, At(0, 0, 1))).imageAll);
    ExpectAcked({sim.commands.SelectImage(3)});
    const auto chosen = DecodeModeData(sim.Ask(kQueryModeData, At(0, 0, 1)));
    EXPECT_EQ(Numbers(chosen.imageAll, chosen.imageChannel), Numbers(false, 3));
}

TEST(OutputBoard, CopyModeTakesTheWholeLayout) {
    SimLink sim;
    ExpectAcked({sim.commands.RecallMode(2, false), sim.commands.SetImageOutputWindow(0, kOdd),
                 sim.commands.SetImageSource(0, 3), sim.commands.CopyMode(2, 9)});
    EXPECT_EQ(DecodeChannelWindow(sim.Ask(kQueryImageOutputWindow, At(9, 0, 0))).rect, kOdd);
    // The mode data reports the mode in force; the bank names the mode it reports.
    EXPECT_EQ(DecodeBankModeSetup(sim.Ask(kQueryBankModeSetup, At(9, 0, 0)))->ports[0], 3);
}

TEST(System, OutputFormatAndMatrixReferenceReadBack) {
    SimLink sim;
    ExpectAcked({sim.commands.SetOutputFormat(3, 1, 6), sim.commands.SetMatrixReference(1)});
    const auto system = DecodeSystemReport(sim.Ask(kQuerySystem));
    ASSERT_TRUE(system);
    EXPECT_EQ(Numbers(system->outputFormat, system->inAKout1, system->configModeK,
                      system->configModeL),
              Numbers(3, 1, 1, 6));
    const auto bank = DecodeBankSystem(sim.Ask(kQueryBankSystem));
    EXPECT_EQ(Numbers(bank->outputFormat, bank->clockSource), Numbers(3, 1));
}

// What an import sets is what the card and the board then work with.
TEST(Import, TheFirstWindowIsTheMainPictureAndAnImportedModeIsInForceOnceRecalled) {
    SimLink sim;
    ExpectAcked({sim.commands.ImportBegin(), sim.commands.ImportInputWindow(1, kOdd),
                 sim.commands.ImportModeSetup(1, 2, 0x55, {3, 2, 1, 0}, 0b0101),
                 sim.commands.ImportEnd(), sim.commands.SelectOutputBoard(1, 0),
                 sim.commands.RecallMode(2, true)});
    EXPECT_EQ(DecodeInputWindow(sim.Ask(kQueryInputMainWindow, 1)).rect, kOdd);
    EXPECT_EQ(DecodeModeData(sim.Ask(kQueryModeData, At(2, 0, 1))).ports,
              (std::array<std::uint8_t, 4>{3, 2, 1, 0}));
}

TEST(SystemQueries, ReportWhatTheProcessorWasBuiltWith) {
    ProcessorState state;
    state.ipAddress = {10, 0, 0, 7};
    state.configFlag1 = true;
    state.inputs[2].firmware = {4, 15, 9};
    state.outputs[1].firmware = {3, 12, 0};
    SimLink sim(state);
    EXPECT_EQ(DecodeIpAddress(sim.Ask(kQueryIpAddress)), "10.0.0.7");
    const auto system = DecodeSystemReport(sim.Ask(kQuerySystem));
    EXPECT_EQ(Numbers(system->configFlag0, system->configFlag1), Numbers(false, true));
    EXPECT_EQ(DecodeInputVersions(sim.Ask(kQueryInputVersions)),
              (std::array<std::string, 4>{"V 1.3.2", "V 1.3.2", "V 4.15.9", "V 1.3.2"}));
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
    ExpectAcked(
        {sim.commands.ImportBegin(), sim.commands.ImportChannelCropWindow(At(2, 1, 0), kOdd)});
    EXPECT_EQ(sim.Ask(kQueryImageInputWindow, At(2, 1, 0)),
              (Frame{0x86, 0x01, 0xFE, 0x09, 0x01, 0x2C, 0x45, 0x00, 0x20, 0x08, 0x02, 0xD0,
                     0x86 ^ 0x01 ^ 0xFE ^ 0x09 ^ 0x01 ^ 0x2C ^ 0x45 ^ 0x20 ^ 0x08 ^ 0x02 ^ 0xD0}));
}

}  // namespace
}  // namespace hsq::sim
