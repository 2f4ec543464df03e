// The output board dialog's logic against the simulated processor, on virtual time.
#include "output/output_board_logic.h"

#include <functional>
#include <memory>
#include <optional>

#include "app/readback_fixture.h"
#include "config/atomic_file.h"
#include "modes/mode_test_support.h"

namespace hsq {
namespace {

using sim::testing::CommandFrame;
using Canvas = OutputBoardLogic::Canvas;
using Field = OutputSpace::Field;
using Frames = std::vector<Frame>;

constexpr WindowRect kWide{300, 1280, 8, 720};  // x, width, y, height
constexpr WindowRect kSmall{100, 640, 40, 360};
const char* const kNotConfirmedText = "The processor did not confirm; nothing was changed.";

sim::ProcessorState Boards(std::uint8_t applicationMode) {
    sim::ProcessorState state;
    for (sim::OutputBoardState& board : state.outputs) board.applicationMode = applicationMode;
    return state;
}

Frame Ask(std::uint8_t selector, int argument) {
    return CommandFrame(0xFE, {selector, static_cast<std::uint8_t>(argument)});
}

// Mode data asked at the mode the record holds, each image's clock source, then at the mode
// reported each image's input windows, output windows and borders, and the brightness.
Frames CardRead(int card, int asked, int reported) {
    Frames frames{Ask(11, asked * 16 + card)};
    for (int channel = 0; channel < 4; ++channel)
        frames.push_back(Ask(12, asked * 16 + channel * 4 + card));
    for (std::uint8_t selector : {9, 10, 13}) {
        for (int channel = 0; channel < 4; ++channel)
            frames.push_back(Ask(selector, reported * 16 + channel * 4 + card));
    }
    frames.push_back(Ask(14, reported * 16 + card));
    return frames;
}

class OutputBoardTest : public testing::ReadbackFixture {
  protected:
    OutputBoardTest() : ReadbackFixture(Boards(0)) {
        sim.link.AttachTransport(&tap);
        state.connected = true;
        state.system.resolution = {6, 1920, 1080};
        LoadOutputProfiles(store, state.outputs);
        dialogs.askModeName = [this](const std::string& name) { return typedName.value_or(name); };
        dialogs.mosaic = [] {};
    }

    bool Open(int card = 0) {
        logic = std::make_unique<OutputBoardLogic>(state, store, sim.commands, host, card, dialogs);
        const bool read = logic->Open();
        tap.frames.clear();
        return read;
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
        host.boxes.clear();
    }
    // Where each output window is drawn: nothing for one parked beyond the canvas.
    std::array<bool, 4> OnCanvas() {
        std::array<bool, 4> shown{};
        const CLayoutItemList& items = logic->CanvasOf(Canvas::Output).Items();
        for (std::size_t i = 0; i < items.Count(); ++i) {
            const auto& window = static_cast<const CChannelWindow&>(items.At(i));
            shown[window.Settings().index - 1] =
                window.Rectangle().left < OutputBoardLogic::kParkedLeft;
        }
        return shown;
    }
    std::string Output1() { return ReadFileBytes(folder / "Output1.ini").value_or(""); }

    testing::FrameTap tap{sim.transport};
    testing::ScriptedHost host;
    OutputBoardLogic::Dialogs dialogs;
    std::optional<std::string> typedName;
    std::unique_ptr<OutputBoardLogic> logic;
};

// Card L in another display mode than K: every request in order, its own mode's windows.
TEST_F(OutputBoardTest, OpeningReadsTheCardInOrderAtTheModeItReports) {
    sim::ProcessorState processor = Boards(0);
    processor.outputs[1].displayMode = 7;
    processor.outputs[1].modes[7].channels[0].output = kWide;
    sim.processor.Restore(processor);
    logic = std::make_unique<OutputBoardLogic>(state, store, sim.commands, host, 1, dialogs);
    EXPECT_TRUE(logic->Open());
    EXPECT_EQ(tap.frames, CardRead(1, 0, 7));
    EXPECT_EQ(state.outputs[1].displayMode, 7);
    EXPECT_EQ(logic->View().outputFields, (std::array<int, 4>{1280, 720, 268, 0}));
    EXPECT_EQ(logic->View().title, "Output board settings-----Board:L");
    EXPECT_EQ(Read(ConfigFileKind::Output, "Mode7", "OutCH1_OutputMap_Size", 2), "1280,720,300,8");
    EXPECT_TRUE(host.boxes.empty());
}

// Asked once more, then the reading stops: the file and the record keep what they held.
TEST_F(OutputBoardTest, AReadingThatStopsSaysWhichRequestAndChangesNothing) {
    sim::ProcessorState processor = Boards(0);
    processor.outputs[0].displayMode = 4;
    sim.processor.Restore(processor);
    const Frame lost = Ask(12, 8);
    tap.silence = [&](const Frame& f) { return f == lost; };
    const std::string before = Output1();
    logic = std::make_unique<OutputBoardLogic>(state, store, sim.commands, host, 0, dialogs);
    EXPECT_FALSE(logic->Open());
    const Frames asked = CardRead(0, 0, 4);
    EXPECT_EQ(tap.frames, (Frames{asked[0], asked[1], asked[2], lost, lost}));
    EXPECT_EQ(host.Texts(), std::vector<std::string>{
                                "Failure to properly obtain the current output board status, "
                                "check the communication\nThe processor did not answer step 4 of "
                                "18 (FE 0C 08). Nothing was changed."});
    EXPECT_EQ(Output1(), before);
    EXPECT_EQ(state.outputs[0].displayMode, 0);
}

// Each control's frame, and what it keeps: answered, the record takes it; unanswered twice,
// the record keeps what the processor holds and the operator is told.
TEST_F(OutputBoardTest, EachControlSendsItsFrameAndKeepsOnlyAConfirmedChange) {
    struct Case {
        const char* name;
        std::function<void()> act;
        Frame frame;
        std::function<int()> kept;
        int confirmed;
    };
    const auto record = [this] { return &state.outputs[0]; };
    const auto matrix = [this] { state.outputs[0].overlayMatrix = true; };
    const std::vector<Case> cases{
        {"mute off", [&] { logic->OnChannelOn(false); }, CommandFrame(0xB4, {0, 0}),
         [&] { return record()->channelOn[0]; }, 0},
        {"fade time", [&] { logic->OnFadeTime(3); }, CommandFrame(0xB8, {3, 0}),
         [&] { return record()->switchMode; }, 3},
        {"K.Out1", [&] { logic->OnClockSource(1); }, CommandFrame(0xB5, {1, 0}),
         [&] { return state.system.inAKout1; }, 1},
        {"IMG All", [&] { logic->OnImageAll(); }, CommandFrame(0xB7, {1, 0}),
         [&] { return record()->imageAll; }, 1},
        {"overlay", [&] { logic->OnOverlay(); }, CommandFrame(0xB6, {1, 0}),
         [&] { return record()->overlayMatrix; }, 1},
        {"border off", [&] { logic->OnBorderField(3, "7"), logic->OnBorderSwitch(false); },
         CommandFrame(0x93, {0, 0, 128, 128, 128, 7}), [&] { return record()->form[0][4]; }, 7},
        {"brightness", [&] { logic->OnBrightnessField("20"), logic->OnBrightnessSet(); },
         CommandFrame(0x9F, {20, 0}), [&] { return record()->brightness; }, 20},
        {"IMG3 in matrix", [&] { matrix(), logic->OnImage(2); }, CommandFrame(0x8D, {0, 2}),
         [&] { return record()->imageChannel; }, 2},
        {"In-C in matrix", [&] { matrix(), logic->OnMatrix(2); }, CommandFrame(0x8F, {0, 2}),
         [&] { return record()->inputPort[0]; }, 2},
    };
    for (const Case& c : cases) {
        for (bool answered : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (answered ? "" : ", unanswered"));
            sim.processor.Restore(Boards(0));
            state.system.inAKout1 = 0;
            ASSERT_TRUE(Open());
            host.boxes.clear();
            tap.silence = [&](const Frame& f) { return !answered && f == c.frame; };
            const int before = c.kept();
            c.act();
            tap.silence = nullptr;
            EXPECT_EQ(tap.frames, Frames(answered ? 1 : 2, c.frame));
            EXPECT_EQ(c.kept(), answered ? c.confirmed : before);
            EXPECT_EQ(host.Texts(), answered ? std::vector<std::string>{}
                                             : std::vector<std::string>{kNotConfirmedText});
        }
    }
}

// Refused whole, in the operator's language, the old value kept; never taken a keystroke at a
// time, and never wrapped around.
TEST_F(OutputBoardTest, AFieldTakesOnlyAWholeValueInRange) {
    ASSERT_TRUE(Open());
    const OutputBoardView before = logic->View();
    logic->OnField(Canvas::Output, Field::W, "1937");
    logic->OnField(Canvas::Output, Field::X, "2147483647");
    logic->OnField(Canvas::Input, Field::H, "");
    logic->OnBorderField(3, "11");
    logic->OnBorderField(0, "256");
    state.language = kChinese;
    logic->OnBrightnessField("33");
    const OutputBoardView after = logic->View();
    EXPECT_EQ(std::tie(after.outputFields, after.inputFields, after.border, after.brightness),
              std::tie(before.outputFields, before.inputFields, before.border, before.brightness));
    std::vector<std::string> refused(5, "Value out of range");
    refused.push_back("值越界");
    EXPECT_EQ(host.Texts(), refused);
    logic->OnField(Canvas::Output, Field::W, "48");
    logic->OnSaveOutput();
    EXPECT_EQ(OutputInForce(0).width, 48);
    logic->OnField(Canvas::Output, Field::W, "46");
    EXPECT_EQ(logic->View().outputFields[0], 46);
    logic->OnSaveOutput();
    EXPECT_EQ(host.Texts().back(), "值越界");
    EXPECT_EQ(OutputInForce(0).width, 48);
}

// A window the processor did not take goes back to where the processor has it.
TEST_F(OutputBoardTest, SavingAnImagesWindowsSendsThemAsTypedAndKeepsOnlyWhatWasConfirmed) {
    ASSERT_TRUE(Open());
    logic->OnImage(2);
    Type(Canvas::Output, {1280, 720, 268, 0});
    logic->OnSaveOutput();
    EXPECT_EQ(OutputInForce(2), kWide);
    EXPECT_EQ(state.outputs[0].outputRect[2], kWide);
    Type(Canvas::Input, {640, 360, 68, 32});
    logic->OnSaveInput();
    EXPECT_EQ(Board().modes[0].channels[2].crop, kSmall);
    tap.silence = [](const Frame& f) { return f[2] == 0x91 || f[2] == 0x92; };
    Type(Canvas::Output, {640, 360, 68, 32});
    Type(Canvas::Input, {1280, 720, 268, 0});
    logic->OnSaveOutput();
    logic->OnSaveInput();
    EXPECT_EQ(host.Texts(), std::vector<std::string>(2, kNotConfirmedText));
    EXPECT_EQ(std::tie(state.outputs[0].outputRect[2], state.outputs[0].cropRect[2]),
              std::tie(kWide, kSmall));
    EXPECT_EQ(logic->View().outputFields, (std::array<int, 4>{1280, 720, 268, 0}));
    EXPECT_EQ(logic->View().inputFields, (std::array<int, 4>{640, 360, 68, 32}));
    state.connected = false;
    logic->OnSaveInput();
    EXPECT_EQ(host.Texts().back(), "Please Open the connection");
}

// What each configuration mode shows, saves and parks for a chosen image, and that Save and
// the mosaic leave it so: the input Save sends the chosen image's crop.
TEST_F(OutputBoardTest, ConfigurationModesShowSaveAndParkTheirChannels) {
    struct Case {
        std::uint8_t mode;
        int image, current;
        std::array<bool, 4> shown;
        std::vector<int> saved;
    };
    for (const Case& c : std::vector<Case>{{0, 1, 1, {false, true, false, false}, {1}},
                                           {1, 3, 3, {false, false, true, true}, {2, 3}},
                                           {5, 2, 2, {true, true, true, true}, {0, 1, 2, 3}},
                                           {6, 2, 0, {true, false, false, false}, {0}}}) {
        SCOPED_TRACE(int{c.mode});
        sim.processor.Restore(Boards(c.mode));
        ASSERT_TRUE(Open());
        logic->OnImage(c.image);
        tap.frames.clear();
        logic->OnSaveOutput();
        logic->OnSaveInput();
        logic->OnMosaic();
        std::vector<int> saved, expected = c.saved;
        for (const Frame& frame : tap.frames) saved.push_back(frame[3]);
        expected.push_back(c.current);  // the input Save's image
        EXPECT_EQ(saved, expected);
        EXPECT_EQ(OnCanvas(), c.shown);
        std::array<bool, 4> pressed{};
        pressed[c.current] = true;
        EXPECT_EQ(logic->View().imagePressed, pressed);
        EXPECT_EQ(logic->View().imageEnabled[3], c.mode != 6);
    }
}

// While all images show, nothing of one image can be edited; an image button ends it.
TEST_F(OutputBoardTest, AllImagesLockEditingUntilAnImageIsChosen) {
    sim.processor.Restore(Boards(5));
    ASSERT_TRUE(Open());
    logic->OnOverlay();
    logic->OnImageAll();
    OutputBoardView view = logic->View();
    EXPECT_FALSE(view.editingEnabled || view.overlayEnabled || view.borderSwitchEnabled ||
                 view.imagePressed[0]);
    EXPECT_TRUE(view.imageAllPressed);
    logic->OnMatrix(3);
    EXPECT_EQ(state.outputs[0].inputPort, (std::array<std::uint8_t, 4>{3, 3, 3, 3}));
    logic->OnImage(1);
    view = logic->View();
    EXPECT_TRUE(view.editingEnabled && view.imagePressed[1] && !view.imageAllPressed);
}

// A changed configuration mode reads the whole card again; an unchanged one reads nothing.
TEST_F(OutputBoardTest, AdvancedReadsTheCardAgainWhenItsModeChanged) {
    dialogs.advanced = [this] {
        sim.processor.Restore(Boards(5));
        state.outputs[0].configMode = 5;
    };
    ASSERT_TRUE(Open());
    logic->OnAdvanced();
    EXPECT_EQ(tap.frames, CardRead(0, 0, 0));
    EXPECT_TRUE(logic->View().orderLabelShown);
    tap.frames.clear();
    logic->OnAdvanced();
    EXPECT_TRUE(tap.frames.empty());
}

// The list shows the mode in force: a recall the processor did not take changes nothing, one
// it took but did not report keeps the last layout read.
TEST_F(OutputBoardTest, RecallingAModeReadsItBackOrSaysWhyNot) {
    sim::ProcessorState processor = Boards(0);
    processor.outputs[0].modes[3].channels[1].output = kWide;
    sim.processor.Restore(processor);
    ASSERT_TRUE(Open());
    SaveOutputProfiles(store, state.outputs);  // as a recall does before it asks
    const std::string before = Output1();
    for (std::uint8_t lost : {0x8E, 0xFE}) {
        tap.silence = [lost](const Frame& f) {
            return f[2] == lost && (lost == 0x8E || f[3] == 10);  // 0x8E, or an output window
        };
        logic->OnDisplayMode(3);
        EXPECT_EQ(logic->View().displayMode, 0);
        EXPECT_EQ(state.outputs[0].outputRect[1], (WindowRect{992, 960, 8, 540}));
    }
    EXPECT_EQ(Output1(), before);
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{
                  "The processor did not answer step 1 of 10 (8E 03 00). Nothing was changed.",
                  "The processor did not answer step 3 of 10 (FE 0A 30). The processor recalled "
                  "the mode but did not report its layout; the window still shows the previous "
                  "mode."}));
    tap.silence = nullptr;
    logic->OnDisplayMode(3);
    EXPECT_EQ(Board().displayMode, 3);
    EXPECT_EQ(logic->View().displayMode, 3);
    EXPECT_EQ(state.outputs[0].outputRect[1], kWide);
    EXPECT_EQ(Read(ConfigFileKind::Output, "Mode3", "OutCH2_OutputMap_Size", 1), "1280,720,300,8");
}

// The name is kept however the name dialog ended; the copy and the layout go to the target,
// and the card stays in the mode in force.
TEST_F(OutputBoardTest, ModeCopyStoresTheNameAndTheLayoutUnderTheTarget) {
    ASSERT_TRUE(Open());
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
        EXPECT_EQ(Read(ConfigFileKind::Output, "BOARD", "Display_Mode", 1), "0");
        EXPECT_EQ(state.outputs[0].displayMode, 0);
        EXPECT_EQ(logic->ModeItem(5), "M6---大厅");
    }
    tap.silence = [](const Frame& f) { return f[2] == 0xA0; };
    typedName = "lost";
    const std::string before = Output1();
    logic->OnModeCopy(6);
    EXPECT_EQ(logic->ModeItem(6).find("lost"), std::string::npos);
    EXPECT_EQ(Output1(), before);
}

// An index beyond what it indexes reads as the first.
TEST_F(OutputBoardTest, IndicesReadFromTheProfileStayInRange) {
    store.WriteValue(ConfigFileKind::Output, "BOARD", "Img_Ch", "9", 1);
    store.WriteValue(ConfigFileKind::Output, "BOARD", "Display_Mode", "300", 1);
    LoadOutputProfiles(store, state.outputs);
    EXPECT_EQ(state.outputs[0].imageChannel, 0);
    EXPECT_EQ(state.outputs[0].displayMode, 0);
}

}  // namespace
}  // namespace hsq
