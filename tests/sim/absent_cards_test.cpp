// Commands for cards that are not there, and values no card can hold, are acknowledged and
// change nothing.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "commands/reply_decoders.h"
#include "sim_link.h"
#include "support/numbers.h"

namespace hsq::sim {
namespace {

using testing::SimLink;
using hsq::testing::Numbers;

// Input cards A and C, output board K.
ProcessorState WithCardsACK() {
    return ProcessorState(*ParseCardList("A,C,K"));
}

// Queries about absent cards are answered, but with nothing: the application takes that for
// no answer at all.
TEST(AbsentCards, StatusNamesOnlyThePresentOnesAndTheirQueriesAnswerNothing) {
    SimLink sim(WithCardsACK());
    const Frame reply = sim.Ask(kQueryStatus);
    // Present A, C, K in byte 4; absent B, D in byte 5; answering A, C in byte 6.
    EXPECT_EQ(reply, (Frame{0x86, 0x01, 0xFE, 0, 0x15, 0x0A, 0x05, 0, 0, 0, 0, 0,
                            0x86 ^ 0x01 ^ 0xFE ^ 0x15 ^ 0x0A ^ 0x05}));
    EXPECT_EQ(DecodeInputVersions(sim.Ask(kQueryInputVersions)),
              (std::array<std::string, 4>{"V 1.3.2", "V 0.0.0", "V 1.3.2", "V 0.0.0"}));
    EXPECT_EQ(DecodeOutputVersions(sim.Ask(kQueryOutputVersions))[1], "V 0.0");
    for (const std::uint8_t selector : {kQueryInputCardInfo, kQueryModeData}) {
        Frame empty{};
        EXPECT_EQ(sim.commands.Query(selector, 1, empty), 0);
        sim.link.SendPair(kDeviceAddress, kQuery, selector, 1);
        ASSERT_EQ(sim.link.WaitReply(empty), kFrameSize);
        EXPECT_EQ(empty[0], kDeviceAddress);
        EXPECT_TRUE(
            std::all_of(empty.begin() + 3, empty.begin() + 12, [](auto b) { return b == 0; }));
        EXPECT_EQ(RouteReport(empty), ReportRoute::Ignored);
    }
}

TEST(AbsentCards, CommandsForThemChangeNothing) {
    SimLink sim(WithCardsACK());
    const ProcessorState before = sim.processor.Snapshot();
    // Card B is selected: what follows must not land on card A, selected until then.
    ASSERT_EQ(sim.commands.SelectInputCard(1), 13);
    EXPECT_EQ(sim.commands.SetInputBrightness(10), 13);
    EXPECT_EQ(sim.commands.SetMainWindow({0, 640, 0, 480}), 13);
    ASSERT_EQ(sim.commands.ImportBegin(), 13);
    EXPECT_EQ(sim.commands.ImportInputSetup(3, {1, 2, 3}), 13);
    ASSERT_EQ(sim.commands.SelectOutputBoard(1, 2), 13);
    EXPECT_EQ(sim.commands.SetOutputBrightness(5), 13);
    EXPECT_EQ(sim.commands.RecallMode(4, true), 13);
    EXPECT_EQ(sim.commands.ImportModeSetup(1, 0, 9, {1, 1, 1, 1}, 0), 13);
    ASSERT_EQ(sim.commands.ImportEnd(), 13);
    ProcessorState after = sim.processor.Snapshot();
    EXPECT_EQ(std::exchange(after.selectedInputCard, before.selectedInputCard), 1);
    EXPECT_EQ(std::exchange(after.selectedOutputBoard, before.selectedOutputBoard), 1);
    EXPECT_EQ(after, before);

    // The output format changes, but the absent board keeps its mode.
    ASSERT_EQ(sim.commands.SetOutputFormat(2, 5, 6), 13);
    const auto system = DecodeSystemReport(sim.Ask(kQuerySystem));
    EXPECT_EQ(Numbers(system->outputFormat, system->configModeK, system->configModeL),
              Numbers(2, 5, 0));
}

// A wrong frame is refused: counted, never answered, so that a test of the application against
// the simulator catches it. A frame by the protocol that the processor cannot carry out is
// ignored: acknowledged. Either way nothing changes.
enum class Outcome { kRefused, kRefusedDuringImport, kIgnored };

struct Refusal {
    std::string name;
    std::function<std::uint8_t(DeviceCommands&)> send;
    Outcome outcome = Outcome::kRefused;
};

void PrintTo(const Refusal& refusal, std::ostream* out) {
    *out << refusal.name;
}

// A frame with the given data bytes, confirmed as the application would send it.
std::uint8_t Raw(DeviceCommands& c, std::uint8_t code, std::initializer_list<std::uint8_t> data) {
    return c.link().SendAndConfirm(0x86, code, std::span(data.begin(), data.size()));
}

class WrongFrames : public ::testing::TestWithParam<Refusal> {};

TEST_P(WrongFrames, ChangeNothingAndOnlyIgnoredOnesAreAnswered) {
    SimLink sim;
    if (GetParam().outcome == Outcome::kRefusedDuringImport) {
        ASSERT_EQ(sim.commands.ImportBegin(), kFrameSize);
    }
    const bool ignored = GetParam().outcome == Outcome::kIgnored;
    const ProcessorState before = sim.processor.Snapshot();
    EXPECT_EQ(GetParam().send(sim.commands), ignored ? kFrameSize : 0);
    EXPECT_EQ(sim.processor.Snapshot(), before);
    EXPECT_EQ(sim.processor.TakeViolations().size(), ignored ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, WrongFrames,
    ::testing::Values(
        Refusal{"UnknownSelector3", [](auto& c) { return Raw(c, 0xFE, {3, 0}); }},
        Refusal{"ModeSetupQueryWithChannelBits", [](auto& c) { return Raw(c, 0xFE, {20, 0x14}); }},
        Refusal{"UnknownCommand95", [](auto& c) { return Raw(c, 0x95, {1, 1}); }},
        Refusal{"MainWindowWithoutItsZero", [](auto& c) { return Raw(c, 0x86, {1, 0, 0, 0, 8}); }},
        Refusal{"SourceWithoutItsZero", [](auto& c) { return Raw(c, 0x81, {1, 2}); }},
        Refusal{"BytesBeyondItsData", [](auto& c) { return Raw(c, 0x88, {0, 50, 7}); }},
        Refusal{"NoSuchInputCard", [](auto& c) { return c.SelectInputCard(4); }},
        Refusal{"NoSuchBoard", [](auto& c) { return c.SelectOutputBoard(2, 0); }},
        Refusal{"NoSuchImage", [](auto& c) { return c.SelectImage(4); }},
        Refusal{"NoSuchSignal", [](auto& c) { return c.SetMainSource(4); }},
        Refusal{"NoSuchMode", [](auto& c) { return c.RecallMode(16, true); }},
        Refusal{"CopyToNoSuchMode", [](auto& c) { return c.CopyMode(0, 16); }},
        Refusal{"Fade7", [](auto& c) { return c.SetSwitchMode(7); }},
        Refusal{"ApplicationMode2", [](auto& c) { return c.SetApplicationMode(2); }},
        Refusal{"OutputBrightness33", [](auto& c) { return c.SetOutputBrightness(33); }},
        Refusal{"BorderWidth200", [](auto& c) { return c.SetImageBorder(0, true, 1, 2, 3, 200); }},
        Refusal{"PortBeyondTheFourInputs", [](auto& c) { return c.SetImageSource(0, 4); }},
        Refusal{"ImportOutsideAnImport",
                [](auto& c) { return c.ImportModeSetup(0, 0, 0, {0, 1, 2, 3}, 0); }},
        Refusal{"ImportOutputSetupWithoutItsZero", [](auto& c) { return Raw(c, 0xA9, {0, 7, 1, 9}); },
                Outcome::kRefusedDuringImport},
        Refusal{"ImportForNoSuchBoard",
                [](auto& c) {
                    return c.ImportChannelCropWindow(ImportChannelSelector(0, 0, 2), {0, 8, 0, 8});
                },
                Outcome::kRefusedDuringImport},
        Refusal{"SourceOfAnOverlayThatIsOff", [](auto& c) { return c.SetPipSource(2); },
                Outcome::kIgnored},
        Refusal{"ChannelWindowTooFarDown",
                [](auto& c) { return c.SetImageOutputWindow(0, {0, 100, 4096, 100}); },
                Outcome::kIgnored},
        Refusal{"MainWindowTooFarRight",
                [](auto& c) { return c.SetMainWindow({8192, 100, 0, 100}); }, Outcome::kIgnored}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace hsq::sim
