// The output board dialog's logic against the simulated processor, on virtual time.
#include "output/output_board_logic.h"

#include <memory>
#include <optional>

#include "app/readback_fixture.h"
#include "sim/query_replies.h"
#include "support/recording_transport.h"

namespace hsq {
namespace {

using Canvas = OutputBoardLogic::Canvas;
using Field = OutputSpace::Field;

constexpr WindowRect kWide{300, 1280, 8, 720};  // x, width, y, height
constexpr WindowRect kSmall{100, 640, 40, 360};

sim::ProcessorState Boards(std::uint8_t applicationMode) {
    sim::ProcessorState state;
    for (sim::OutputBoardState& board : state.outputs) board.applicationMode = applicationMode;
    return state;
}

class OutputBoardTest : public testing::ReadbackFixture {
  protected:
    explicit OutputBoardTest(sim::ProcessorState processor = Boards(0))
        : ReadbackFixture(std::move(processor)) {
        state.connected = true;
        state.system.resolution = {6, 1920, 1080};
        LoadOutputProfiles(store, state.outputs);
    }

    OutputBoardLogic& Open(int card = 0) {
        state.chosenDisplayMode[card] = state.outputs[card].displayMode;
        OutputBoardLogic::Dialogs dialogs;
        dialogs.askModeName = [this](const std::string& name) { return typedName.value_or(name); };
        logic = std::make_unique<OutputBoardLogic>(state, store, sim.commands, host, card, dialogs);
        logic->Open();
        return *logic;
    }
    sim::OutputBoardState Board(int card = 0) { return sim.processor.Snapshot().outputs[card]; }
    WindowRect OutputInForce(int channel, int card = 0) {
        const sim::OutputBoardState board = Board(card);
        return board.modes[board.displayMode].channels[channel].output;
    }
    // Twice, as an operator retypes what the old size or place refused the first time.
    void Type(Canvas canvas, const std::array<int, 4>& whxy) {
        for (int pass = 0; pass < 2; ++pass) {
            for (Field field : {Field::X, Field::Y, Field::W, Field::H})
                logic->OnField(canvas, field, std::to_string(whxy[static_cast<int>(field)]));
        }
    }

    testing::ScriptedHost host;
    std::optional<std::string> typedName;
    std::unique_ptr<OutputBoardLogic> logic;
};

// Card L in another display mode than K: its own mode's windows, not K's mode's.
TEST_F(OutputBoardTest, OpeningReadsTheCardAtTheModeItReports) {
    sim::ProcessorState processor = Boards(0);
    processor.outputs[1].displayMode = 7;
    processor.outputs[1].modes[7].channels[0].output = kWide;
    sim.processor.Restore(processor);
    Open(1);
    EXPECT_EQ(state.outputs[1].displayMode, 7);
    EXPECT_EQ(logic->View().outputFields, (std::array<int, 4>{1280, 720, 268, 0}));
    EXPECT_EQ(logic->View().title, "Output board settings-----Board:L");
    EXPECT_EQ(Read(ConfigFileKind::Output, "Mode7", "OutCH1_OutputMap_Size", 2), "1280,720,300,8");
}

TEST_F(OutputBoardTest, ReadingStopsAtTheFirstRequestWithoutAnAnswerKeepingWhatCame) {
    const sim::ProcessorState truth = sim.processor.Snapshot();
    testing::RecordingTransport wire(sim.clock);
    for (auto [selector, argument] :
         {std::pair{kQueryModeData, 0}, {kQueryClockSource, 0}, {kQueryClockSource, 4}}) {
        const Frame reply = sim::QueryReply(truth, selector, static_cast<std::uint8_t>(argument));
        wire.Answer({reply.begin(), reply.end()});
    }
    sim.link.AttachTransport(&wire);
    store.WriteValue(ConfigFileKind::Output, "BOARD", "OutCH_Framesynch_Inport3", "99", 1);
    Open(0);
    ASSERT_EQ(wire.written.size(), 4u);  // 11, then 12 for channels 0, 1 and 2, which got nothing
    EXPECT_EQ(wire.written.back()[3], kQueryClockSource);
    EXPECT_EQ(Read(ConfigFileKind::Output, "BOARD", "OutCH_Framesynch_Inport2", 1), "0");
    EXPECT_EQ(Read(ConfigFileKind::Output, "BOARD", "OutCH_Framesynch_Inport3", 1), "99");
}

TEST_F(OutputBoardTest, FieldsAcceptOnlyWhatFitsAndSaveSendsOnlyValidWindows) {
    Open();
    logic->OnField(Canvas::Output, Field::W, "46");
    logic->OnSaveOutput();
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Value out of range"});
    EXPECT_NE(OutputInForce(0).width, 46);
    logic->OnField(Canvas::Output, Field::W, "48");
    logic->OnSaveOutput();
    EXPECT_EQ(OutputInForce(0).width, 48);
    // Refused: nothing changes and nothing is said.
    for (const char* typed : {"1937", "", "-", "4x"}) logic->OnField(Canvas::Output, Field::W, typed);
    EXPECT_EQ(logic->View().outputFields[0], 48);
    EXPECT_EQ(host.Texts().size(), 1u);
    logic->OnField(Canvas::Output, Field::W, "1920");
    logic->OnField(Canvas::Output, Field::X, "-32");
    EXPECT_EQ(logic->View().outputFields[2], -32);  // x 0
}

TEST_F(OutputBoardTest, SavingAnImagesWindowsSendsThemAsTyped) {
    Open();
    logic->OnImage(2);
    Type(Canvas::Output, {1280, 720, 268, 0});
    logic->OnSaveOutput();
    EXPECT_EQ(OutputInForce(2), kWide);
    EXPECT_EQ(state.outputs[0].outputRect[2], kWide);
    Type(Canvas::Input, {640, 360, 68, 32});
    logic->OnSaveInput();
    const sim::OutputBoardState board = Board();
    EXPECT_EQ(board.modes[board.displayMode].channels[2].crop, kSmall);
    state.connected = false;
    logic->OnSaveInput();
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Please Open the connection"});
}

class OverlayBoardTest : public OutputBoardTest {
  protected:
    OverlayBoardTest() : OutputBoardTest(Boards(5)) {}
};

TEST_F(OverlayBoardTest, AnImageGoesOnTopOfTheLayerOrder) {
    Open();
    EXPECT_TRUE(logic->View().orderLabelShown);
    EXPECT_EQ(logic->View().orderLabel, "IMG4>IMG3>IMG2>IMG1");
    logic->OnImage(1);
    EXPECT_EQ(logic->View().orderLabel, "IMG2>IMG4>IMG3>IMG1");
    const CLayoutItemList& items = logic->CanvasOf(Canvas::Output).Items();
    EXPECT_EQ(static_cast<const CChannelWindow&>(items.At(items.Count() - 1)).Settings().index, 2);
    EXPECT_EQ(Board().selectedImage, 1);
}

TEST_F(OutputBoardTest, DualPipOffersTwoImagesOnly) {
    sim.processor.Restore(Boards(6));
    Open();
    EXPECT_EQ(logic->View().imageEnabled, (std::array<bool, 4>{true, true, false, false}));
    const auto elapsed = sim.clock.ElapsedMs();
    logic->OnImage(2);
    EXPECT_EQ(sim.clock.ElapsedMs(), elapsed);  // nothing sent
}

TEST_F(OutputBoardTest, OnlyTheOperatorsMovesAndResizesAreTaken) {
    Open();
    auto& window = static_cast<CChannelWindow&>(logic->CanvasOf(Canvas::Output).Items().At(0));
    const std::array<int, 4> before = logic->View().outputFields;
    const ProcessorRect placed = window.Processor();
    window.SetProcessor({132, 108, 800, 600});
    logic->OnNotice(Canvas::Output, static_cast<LayoutNotice>(10), {&window});
    EXPECT_EQ(logic->View().outputFields, before);
    logic->OnNotice(Canvas::Output, LayoutNotice::Moved, {&window});
    EXPECT_EQ(logic->View().outputFields, (std::array<int, 4>{800, 600, 100, 100}));
    logic->OnUndo(Canvas::Output);
    EXPECT_EQ(logic->View().outputFields, before);
    EXPECT_EQ(window.Processor(), placed);
}

TEST_F(OutputBoardTest, RoutingNeedsTheMatrixAndBrightnessStopsAt32) {
    Open();
    logic->OnMatrix(2);
    EXPECT_EQ(Board().modes[0].channels[0].inputPort, 0);
    logic->OnOverlay();
    logic->OnMatrix(2);
    EXPECT_EQ(Board().modes[0].channels[0].inputPort, 2);
    EXPECT_EQ(logic->View().matrixPressed, 2);
    logic->OnBrightnessSet("32");
    EXPECT_EQ(Board().brightness, 32);
    logic->OnBrightnessSet("33");
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"data out of range"});
    logic->OnBorderSet(true, {"255", "0", "128", "11"});
    EXPECT_EQ(host.Texts().back(), "Value out of range");
}

TEST_F(OutputBoardTest, RecallingAModeBringsItsWindowsIntoTheRecordAndTheProfile) {
    sim::ProcessorState processor = Boards(0);
    processor.outputs[0].modes[3].channels[1].output = kWide;
    sim.processor.Restore(processor);
    Open();
    logic->OnDisplayMode(3);
    EXPECT_EQ(Board().displayMode, 3);
    EXPECT_EQ(state.outputs[0].displayMode, 3);
    EXPECT_EQ(state.chosenDisplayMode[0], 3);
    EXPECT_EQ(state.outputs[0].outputRect[1], kWide);
    EXPECT_EQ(Read(ConfigFileKind::Output, "Mode3", "OutCH2_OutputMap_Size", 1), "1280,720,300,8");
}

// The name is kept however the name dialog ended; the copy and the layout go to the target.
TEST_F(OutputBoardTest, ModeCopyStoresTheNameAndTheLayoutUnderTheTarget) {
    Open();
    logic->OnImage(1);
    Type(Canvas::Output, {1280, 720, 268, 0});
    logic->OnSaveOutput();
    for (const std::optional<std::string>& name : {std::optional<std::string>("大厅"),
                                                   std::optional<std::string>()}) {
        typedName = name;
        logic->OnModeCopy(5);
        EXPECT_EQ(Board().modes[5].channels[1].output, kWide);
        EXPECT_EQ(Read(ConfigFileKind::Output, "MODENAME", "Mode5", 1), "大厅");
        EXPECT_EQ(Read(ConfigFileKind::Output, "Mode5", "OutCH2_OutputMap_Size", 1),
                  "1280,720,300,8");
        EXPECT_EQ(state.outputs[0].displayMode, 0);
        EXPECT_EQ(logic->ModeItem(5), "M6---大厅");
    }
}

}  // namespace
}  // namespace hsq
