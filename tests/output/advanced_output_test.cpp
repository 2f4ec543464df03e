// The advanced output settings' logic against the simulated processor, on virtual time.
#include "output/advanced_output_logic.h"

#include "app/readback_fixture.h"
#include "modes/mode_test_support.h"
#include "support/numbers.h"
#include "support/recording_transport.h"

namespace hsq {
namespace {

using testing::Numbers;

constexpr std::string_view kQuestion =
    "Do you want to modify the config_mode of the card? After modifying the data and all modes "
    "data will be initialized!";
constexpr std::string_view kInitialRectangle = "1280,1024,0,0";

std::string ModeSection(int mode) {
    return "Mode" + std::to_string(mode);
}

class AdvancedOutputTest : public testing::ReadbackFixture {
  protected:
    AdvancedOutputTest() {
        state.system.resolution = {2, 1280, 1024};
        LoadOutputProfiles(store, state.outputs);
    }

    AdvancedOutputLogic Logic(int card = 0) {
        return AdvancedOutputLogic(state, store, sim.commands, host, card);
    }
    std::string Profile(int card) const {
        return folder.Read("Output" + std::to_string(card + 1) + ".ini");
    }
    // What an operator's work leaves in the card's profile and record, in display mode 3.
    void Scribble(int card) {
        const auto file = static_cast<std::uint8_t>(card + 1);
        ProfileBatch batch(store);
        store.WriteValue(ConfigFileKind::Output, "BOARD", "Display_Mode", "3", file);
        for (int mode = 0; mode < kDisplayModeCount; ++mode) {
            store.WriteValue(ConfigFileKind::Output, ModeSection(mode), "aOverlay", "1,2,3,4", file);
            store.WriteValue(ConfigFileKind::Output, ModeSection(mode), "OutCH4_OutputMap_Size",
                             "640,360,8,8", file);
        }
        ASSERT_TRUE(batch.Commit());
        LoadOutputProfiles(store, state.outputs);
    }

    testing::ScriptedHost host;
};

// Declined, or unconfirmed after the mode went out twice (the processor's reply lost each time):
// the card's profile and record stay as they were, its sixteen layouts with them.
TEST_F(AdvancedOutputTest, DecliningOrAnUnconfirmedChangeLeavesTheProfileByteForByte) {
    state.language = kChinese;
    Scribble(0);
    const std::string before = Profile(0);
    const OutputBoardRecord record = state.outputs[0];
    testing::FrameTap tap(sim.transport);
    sim.link.AttachTransport(&tap);
    sim.processor.SetFaults(sim::FaultInjector({{sim::FaultKind::kNoReply, 1.0}}, 1));
    const std::string question =
        "确定要修改本卡的配置模式吗？修改之后将会对数据进行初始化，包括所有模式数据!";
    const std::tuple<bool, std::size_t, std::vector<std::string>> cases[] = {
        {false, 0, {question}},
        {true, 2, {question, "处理器没有确认，没有做任何更改。"}},
    };
    for (const auto& [yes, frames, texts] : cases) {
        host.boxes.clear();
        host.Answer(yes);
        AdvancedOutputLogic logic = Logic();
        logic.OnApplicationMode(5);
        EXPECT_EQ(host.Texts(), texts);
        EXPECT_EQ(host.boxes[0].caption, "系统消息");
        EXPECT_EQ(tap.frames.size(), frames);
        EXPECT_EQ(Profile(0), before);
        EXPECT_EQ(Numbers(state.outputs[0].configMode, state.outputs[0].displayMode),
                  Numbers(record.configMode, record.displayMode));
        EXPECT_EQ(logic.CheckedMode(), std::optional<std::uint8_t>(0));
    }
}

struct CardCase {
    int card;
    std::uint8_t mode;
    const char* ports;  // each mode's input ports, as the new mode starts them
    const char* title;
};

class ApplicationModeChange : public AdvancedOutputTest,
                              public ::testing::WithParamInterface<CardCase> {};

// The processor applies 0x94 to the card the main window selected when the dialogs opened.
TEST_P(ApplicationModeChange, InitialisesEveryModeOfThatCardAlone) {
    const auto [card, mode, ports, title] = GetParam();
    sim::ProcessorState processor = sim.processor.Snapshot();
    processor.selectedOutputBoard = static_cast<std::uint8_t>(card);
    sim.processor.Restore(processor);
    Scribble(card);
    const std::string otherCard = Profile(1 - card);
    host.Answer(true);
    AdvancedOutputLogic logic = Logic(card);
    EXPECT_EQ(logic.Title(), title);
    logic.OnApplicationMode(mode);
    EXPECT_EQ(host.Shown(),
              std::vector<std::string>{"System information: " + std::string(kQuestion) + " ?"});
    EXPECT_EQ(sim.processor.Snapshot().outputs[card].applicationMode, mode);
    EXPECT_EQ(Numbers(state.outputs[card].configMode, state.outputs[card].displayMode),
              Numbers(mode, 0));
    EXPECT_EQ(state.outputs[card].outputRect[3], (WindowRect{0, 1280, 0, 1024}));
    EXPECT_EQ(logic.CheckedMode(), std::optional<std::uint8_t>(mode));
    const auto file = static_cast<std::uint8_t>(card + 1);
    EXPECT_EQ(Read(ConfigFileKind::Output, "BOARD", "Config_Mode", file), std::to_string(mode));
    EXPECT_EQ(Read(ConfigFileKind::Output, "BOARD", "Display_Mode", file), "0");
    EXPECT_EQ(ModeValues(file, {"OutCH_Map_InPort"}), std::set<std::string>{ports});
    EXPECT_EQ(ModeValues(file, {"aOverlay"}), std::set<std::string>{"4,3,2,1"});
    EXPECT_EQ(ModeValues(file, {"OutCH_YN"}), std::set<std::string>{"1,1,1,1"});
    EXPECT_EQ(ModeValues(file), std::set<std::string>{std::string(kInitialRectangle)});
    EXPECT_EQ(Profile(1 - card), otherCard);
}

INSTANTIATE_TEST_SUITE_P(Cards, ApplicationModeChange,
                         ::testing::Values(CardCase{0, 0, "0,0,0,0", "Advanced-----Board:K"},
                                           CardCase{1, 5, "0,1,2,3", "Advanced-----Board:L"}),
                         [](const auto& info) { return std::string(1, 'K' + info.param.card); });

TEST_F(AdvancedOutputTest, ResetSendsTheHdmiResetAlone) {
    testing::RecordingTransport wire(sim.clock);
    sim.link.AttachTransport(&wire);
    Logic().OnResetHdmi();
    ASSERT_EQ(wire.written.size(), 1u);
    const Frame expected = sim::testing::CommandFrame(0x97, {0, 0});
    EXPECT_EQ(wire.written[0], std::vector<std::uint8_t>(expected.begin(), expected.end()));
}

}  // namespace
}  // namespace hsq
