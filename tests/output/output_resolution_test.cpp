// The resolution dialog's logic against the simulated processor, on virtual time.
#include "output/output_resolution_logic.h"

#include <optional>
#include <set>

#include "app/readback_fixture.h"
#include "modes/mode_test_support.h"
#include "support/recording_transport.h"

namespace hsq {
namespace {

sim::ProcessorState BoardLInMode1() {
    sim::ProcessorState processor;
    processor.outputs[1].applicationMode = 1;
    return processor;
}

class OutputResolutionTest : public testing::ReadbackFixture {
  protected:
    OutputResolutionTest() : ReadbackFixture(BoardLInMode1()) {
        state.connected = true;
        state.system = {6, {6, 1920, 1080}, 0};
        readback.LoadAllProfiles();
        state.outputs[0].configMode = 5;
        state.outputs[1].configMode = 0;
    }

    std::set<std::string> InputValues(std::string_view section, std::string_view suffix) {
        std::set<std::string> values;
        for (const char* input : {"Input1", "Input2", "Input3", "Input4"})
            values.insert(Read(ConfigFileKind::Input, section, input + std::string(suffix)));
        return values;
    }
};

TEST_F(OutputResolutionTest, AChangeSendsTheCodeWithBothModesAndResetsEveryRectangleToIt) {
    testing::ScriptedHost host;
    OutputResolutionLogic logic(state, store, sim.commands, host);
    EXPECT_EQ(logic.SliderPosition(), 3);
    host.Answer(true);
    logic.OnSlider(1);
    logic.OnSet();

    EXPECT_EQ(host.Shown(), std::vector<std::string>{"System information: You sure want to change "
                                                     "the resolution? Change the resolution, all "
                                                     "data will be initialized ?"});
    EXPECT_EQ(host.workersRun, 1);
    const sim::ProcessorState processor = sim.processor.Snapshot();
    EXPECT_EQ(processor.outputFormat, 2);
    EXPECT_EQ(processor.outputs[0].applicationMode, 5);
    EXPECT_EQ(processor.outputs[1].applicationMode, 0);
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "System", "outformat"), "2");
    for (std::uint8_t card : {1, 2})
        EXPECT_EQ(ModeValues(card), std::set<std::string>{"1280,1024,0,0"}) << int{card};
    EXPECT_EQ(InputValues("InputCardPIPMainData", "MainData"),
              std::set<std::string>{"1280,1024,0,0"});
    EXPECT_EQ(InputValues("InputCardPIPPipData", "PipData"),
              std::set<std::string>{"426,340,16,16"});
    // The main window's records hold the new profiles.
    EXPECT_EQ(state.system.resolution, (OutputResolution{2, 1280, 1024}));
    EXPECT_EQ(state.outputs[1].cropRect[3], (WindowRect{0, 1280, 0, 1024}));
    EXPECT_EQ(state.inputs[3].pipRect, (WindowRect{16, 426, 16, 340}));
    EXPECT_EQ(logic.SliderPosition(), 1);
}

// Each way of pressing Set that changes nothing: what is shown and where the slider then stands.
TEST_F(OutputResolutionTest, SetSendsNothingWhenNotConnectedUnchangedOrRefused) {
    struct Case {
        const char* name;
        LanguageFlag language;
        bool connected;
        std::uint8_t current;
        std::optional<int> moved;
        std::optional<bool> answer;
        std::vector<std::string> shown;
        int slider;
    };
    const std::string noLink = "System information: Poor communication, can't send data";
    const std::string question =
        "系统提示 : 确定要改变系统分辨率吗？改变分辨率，所有数据将被初始化  ?";
    // clang-format off
    const Case cases[] = {
        {"same code",              kEnglish, true,  6, 3,            std::nullopt, {},         3},
        {"code not offered",       kEnglish, true,  1, std::nullopt, std::nullopt, {},         0},
        {"No",                     kChinese, true,  6, 1,            false,        {question}, 3},
        {"not connected",          kEnglish, false, 6, 0,            std::nullopt, {noLink},   0},
    };
    // clang-format on
    testing::RecordingTransport wire(sim.clock);
    sim.link.AttachTransport(&wire);
    const std::string infoBefore = folder.Read("2600Info.ini");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state.language = c.language;
        state.connected = c.connected;
        state.system.outputFormat = c.current;
        testing::ScriptedHost host;
        if (c.answer)
            host.Answer(*c.answer);
        OutputResolutionLogic logic(state, store, sim.commands, host);
        if (c.moved)
            logic.OnSlider(*c.moved);
        logic.OnSet();
        EXPECT_EQ(host.Shown(), c.shown);
        EXPECT_EQ(logic.SliderPosition(), c.slider);
        EXPECT_EQ(host.workersRun, 0);
        EXPECT_TRUE(wire.written.empty());
        EXPECT_EQ(state.system.outputFormat, c.current);
    }
    EXPECT_EQ(folder.Read("2600Info.ini"), infoBefore);
}

// The processor's reply lost, the format sent once more and lost again: the files, the main
// window's format and the records stay, the slider goes back, and the operator is told which
// request went unanswered.
TEST_F(OutputResolutionTest, AnUnconfirmedChangeResetsNothing) {
    testing::FrameTap tap(sim.transport);
    sim.link.AttachTransport(&tap);
    sim.processor.SetFaults(sim::FaultInjector({{sim::FaultKind::kNoReply, 1.0}}, 1));
    const auto files = Files();
    const MainWindowState before = state;
    testing::ScriptedHost host;
    host.Answer(true);
    OutputResolutionLogic logic(state, store, sim.commands, host);
    logic.OnSlider(1);
    logic.OnSet();
    EXPECT_EQ(host.Shown().back(), "System information: The processor did not answer step 1 of 1 "
                                   "(9C 02 05). Nothing was changed.");
    EXPECT_EQ(tap.frames.size(), 2u);
    EXPECT_EQ(Files(), files);
    EXPECT_EQ(state.system.resolution, before.system.resolution);
    EXPECT_EQ(state.outputs[1].cropRect, before.outputs[1].cropRect);
    EXPECT_EQ(logic.SliderPosition(), 3);
}

}  // namespace
}  // namespace hsq
