// Commands for cards that are not there, and values no card can hold, are acknowledged and
// change nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "commands/reply_decoders.h"
#include "sim_link.h"

namespace hsq::sim {
namespace {

using testing::SimLink;

// Input cards A and C, output board K.
ProcessorState WithCardsACK() {
    return ProcessorState(*ParseCardList("A,C,K"));
}

TEST(AbsentCards, StatusNamesOnlyThePresentOnes) {
    SimLink sim(WithCardsACK());
    const Frame reply = sim.Ask(kQueryStatus);
    // Present A, C, K in byte 4; absent B, D in byte 5; answering A, C in byte 6.
    EXPECT_EQ(reply, (Frame{0x86, 0x01, 0xFE, 0, 0x15, 0x0A, 0x05, 0, 0, 0, 0, 0,
                            0x86 ^ 0x01 ^ 0xFE ^ 0x15 ^ 0x0A ^ 0x05}));
    const auto status = DecodeStatus(reply);
    EXPECT_EQ(status.inputPresent, (std::array<bool, 4>{true, false, true, false}));
    EXPECT_EQ(status.inputAnswers, (std::array<bool, 4>{true, false, true, false}));
    EXPECT_EQ(status.outputPresent, (std::array<bool, 2>{true, false}));
    const auto inputs = DecodeInputVersions(sim.Ask(kQueryInputVersions));
    EXPECT_EQ(inputs[0], "V 1.3.2");
    EXPECT_EQ(inputs[1], "V 0.0.0");
    EXPECT_EQ(DecodeOutputVersions(sim.Ask(kQueryOutputVersions))[1], "V 0.0");
}

TEST(AbsentCards, CommandsForThemChangeNothing) {
    SimLink sim(WithCardsACK());
    const ProcessorState before = sim.processor.Snapshot();
    // Card B is selected: what follows must not land on card A, selected until then.
    ASSERT_EQ(sim.commands.SelectInputCard(1), 13);
    EXPECT_EQ(sim.commands.SetInputBrightness(10), 13);
    EXPECT_EQ(sim.commands.SetMainWindow({0, 640, 0, 480}), 13);
    EXPECT_EQ(sim.commands.ImportInputSetup(3, {1, 2, 3}), 13);
    ASSERT_EQ(sim.commands.SelectOutputBoard(1, 2), 13);
    EXPECT_EQ(sim.commands.SetOutputBrightness(5), 13);
    EXPECT_EQ(sim.commands.RecallMode(4, true), 13);
    EXPECT_EQ(sim.commands.ImportModeSetup(1, 0, 9, {1, 1, 1, 1}, 0), 13);
    ProcessorState after = sim.processor.Snapshot();
    EXPECT_EQ(after.selectedInputCard, 1);
    EXPECT_EQ(after.selectedOutputBoard, 1);
    after.selectedInputCard = before.selectedInputCard;
    after.selectedOutputBoard = before.selectedOutputBoard;
    EXPECT_EQ(after, before);
}

// The processor answers, but with nothing: the application takes that for no answer at all.
TEST(AbsentCards, TheirQueriesCarryNoValuesAndAnswerNothing) {
    SimLink sim(WithCardsACK());
    for (const std::uint8_t selector : {kQueryInputCardInfo, kQueryModeData}) {
        Frame reply{};
        EXPECT_EQ(sim.commands.Query(selector, 1, reply), 0);
        sim.link.SendPair(kDeviceAddress, kQuery, selector, 1);
        ASSERT_EQ(sim.link.WaitReply(reply), kFrameSize);
        EXPECT_EQ(reply[0], kDeviceAddress);
        EXPECT_TRUE(
            std::all_of(reply.begin() + 3, reply.begin() + 12, [](auto b) { return b == 0; }));
        EXPECT_EQ(RouteReport(reply), ReportRoute::Ignored);
    }
}

TEST(AbsentCards, OutputFormatKeepsTheAbsentBoardsMode) {
    SimLink sim(WithCardsACK());
    ASSERT_EQ(sim.commands.SetOutputFormat(2, 5, 6), 13);
    const auto system = DecodeSystemReport(sim.Ask(kQuerySystem));
    EXPECT_EQ(system->outputFormat, 2);
    EXPECT_EQ(system->configModeK, 5);
    EXPECT_EQ(system->configModeL, 0);
}

struct Refusal {
    std::string name;
    std::function<std::uint8_t(DeviceCommands&)> send;
};

void PrintTo(const Refusal& refusal, std::ostream* out) {
    *out << refusal.name;
}

class RefusedValues : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedValues, AreAcknowledgedAndChangeNothing) {
    SimLink sim;
    const ProcessorState before = sim.processor.Snapshot();
    EXPECT_EQ(GetParam().send(sim.commands), 13);
    EXPECT_EQ(sim.processor.Snapshot(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Values, RefusedValues,
    ::testing::Values(
        Refusal{"NoSuchInputCard", [](auto& c) { return c.SelectInputCard(4); }},
        Refusal{"NoSuchBoard", [](auto& c) { return c.SelectOutputBoard(2, 0); }},
        Refusal{"NoSuchImage", [](auto& c) { return c.SelectImage(4); }},
        Refusal{"NoSuchSignal", [](auto& c) { return c.SetMainSource(4); }},
        Refusal{"SourceOfAnOverlayThatIsOff", [](auto& c) { return c.SetPipSource(2); }},
        Refusal{"NoSuchMode", [](auto& c) { return c.RecallMode(16, true); }},
        Refusal{"CopyToNoSuchMode", [](auto& c) { return c.CopyMode(0, 16); }},
        Refusal{"FadeBeyondThreeBits", [](auto& c) { return c.SetSwitchMode(8); }},
        Refusal{"ApplicationModeBeyondThreeBits", [](auto& c) { return c.SetApplicationMode(8); }},
        Refusal{"PortBeyondANibble", [](auto& c) { return c.SetImageSource(0, 16); }},
        Refusal{"ChannelWindowTooFarDown",
                [](auto& c) {
                    return c.SetImageOutputWindow(0, {0, 100, 4096, 100});
                }},
        Refusal{"MainWindowTooFarRight",
                [](auto& c) {
                    return c.SetMainWindow({8192, 100, 0, 100});
                }},
        Refusal{"ImportForNoSuchBoard",
                [](auto& c) {
                    return c.ImportChannelCropWindow(ImportChannelSelector(0, 0, 2), {0, 8, 0, 8});
                }},
        Refusal{"ImportedPortBeyondANibble",
                [](auto& c) {
                    return c.ImportModeSetup(0, 0, 0, {0, 0, 0, 0x20}, 0);
                }},
        Refusal{"UnknownCommand",
                [](auto& c) { return c.link().SendPairAndConfirm(0x86, 0x8C, 1, 1); }}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace hsq::sim
