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

// No other test reads these back from the simulator.
TEST(OutputBoard, BorderBrightnessAndClockReportsReachTheirDecoders) {
    SimLink sim;
    ExpectAcked({sim.commands.SelectOutputBoard(1, 0),
                 sim.commands.SetImageBorder(2, true, 255, 0, 128, 10),
                 sim.commands.SetOutputBrightness(32)});
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
