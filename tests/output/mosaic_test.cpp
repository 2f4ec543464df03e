// The fast mosaic dialog's logic against the simulated processor, on virtual time.
#include "output/mosaic_logic.h"

#include <memory>

#include "app/readback_fixture.h"
#include "modes/mode_test_support.h"

namespace hsq {
namespace {

using Group = MosaicLogic::Group;
using Field = MosaicLogic::Field;
using Texts = std::array<std::string, 4>;

const Texts kZeros{"0", "0", "0", "0"};
const Texts kHalfOfTwo{"960", "1080", "960", "0"};  // window 2 of 1*2, input fields

class MosaicTest : public testing::ReadbackFixture {
  protected:
    MosaicTest() {
        sim.link.AttachTransport(&tap);
        state.connected = true;
        state.presence.output = {true, true};
        state.system.resolution = {6, 1920, 1080};
    }

    void Open() { logic = std::make_unique<MosaicLogic>(state, sim.commands, host); }
    // Window 2 of a 1*2 grid at the output size, calculated.
    void CalculateHalfOfTwo() {
        Open();
        logic->OnLayout(1, 2);
        logic->OnSelectWindow(1);
        logic->OnAutoCalculation();
        ASSERT_EQ(Fields(Group::Input), kHalfOfTwo);
    }
    void Type(Group group, const Texts& whxy) {
        for (int i = 0; i < 4; ++i) logic->OnField(group, static_cast<Field>(i), whxy[i]);
    }
    Texts Fields(Group group) const { return logic->View().fields[static_cast<int>(group)]; }

    testing::FrameTap tap{sim.transport};
    testing::ScriptedHost host;
    std::unique_ptr<MosaicLogic> logic;
};

TEST_F(MosaicTest, AutoCalculationSharesThePictureOutByTheRowAndTheFirstColumn) {
    struct Case {
        const char* name;
        int rows, columns, selected;
        std::vector<std::string> widths, heights;
        Texts input, output;
    };
    const std::vector<Case> cases{
        {"1*2", 1, 2, 1, {"1920", "1920"}, {"1080", "1080"}, kHalfOfTwo,
         {"1920", "1080", "0", "0"}},
        {"2*2 first row", 2, 2, 1, {"1920", "1280", "1920", "1920"}, {"1080", "1080", "1080", "80"},
         {"768", "540", "1152", "0"}, {"1280", "1080", "0", "0"}},
        {"2*2 second row", 2, 2, 3, {"1920", "1920", "1000", "600"}, {"700", "1080", "500", "500"},
         {"720", "450", "1200", "630"}, {"600", "500", "0", "0"}},
        // 176.9 and 903.1: cut, not rounded.
        {"3*1", 3, 1, 2, {"1920", "1920", "1920"}, {"1000", "700", "333"},
         {"1920", "176", "0", "903"}, {"1920", "333", "0", "0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open();
        logic->OnLayout(c.rows, c.columns);
        for (int k = 0; k < c.rows * c.columns; ++k) {
            logic->OnWindowWidth(k, c.widths[k]);
            logic->OnWindowHeight(k, c.heights[k]);
        }
        logic->OnSelectWindow(c.selected);
        logic->OnAutoCalculation();
        EXPECT_EQ(Fields(Group::Input), c.input);
        EXPECT_EQ(Fields(Group::Output), c.output);
    }
    EXPECT_EQ(host.Texts(), std::vector<std::string>{});
}

TEST_F(MosaicTest, CreateBuildsOneToEightWindowsAndKeepsTheGridOtherwise) {
    Open();
    logic->OnLayout(1, 2);
    for (auto [rows, columns] :
         {std::pair{"3", "3"}, {"0", "5"}, {"-2", "-2"}, {"2x", "1"}, {"", ""}}) {
        logic->OnCreate(rows, columns);
        EXPECT_EQ(logic->View().windows.size(), 2u) << rows << " x " << columns;
        EXPECT_EQ(logic->View().layout, 1);
    }
    EXPECT_EQ(host.Texts(), std::vector<std::string>(5, "Window number out of range(1 ~ 8)"));
    logic->OnSelectWindow(1);
    logic->OnCreate("2", "4");
    const MosaicView view = logic->View();
    ASSERT_EQ(view.windows.size(), 8u);
    EXPECT_EQ(view.layout, -1);
    EXPECT_EQ(std::tie(view.windows[7].caption, view.windows[7].width, view.windows[7].height),
              std::tie("008", "1920", "1080"));
    EXPECT_TRUE(view.windows[1].selected);
    logic->OnLayout(1, 1);  // window 2 is gone: the first is selected
    EXPECT_TRUE(logic->View().windows[0].selected);
}

// The refused field gets the output size back; the result fields keep the last result.
TEST_F(MosaicTest, AGridFieldTheCalculationCannotTakeIsNamedAndReset) {
    struct Case {
        int window;
        bool width;
        const char *typed, *message, *reset;
    };
    const char* const kRow =
        "Please fill out the complete horizontal data, or can not be calculated";
    const char* const kColumn =
        "Please fill out the complete vertical data, or can not be calculated";
    for (const Case& c : std::vector<Case>{{0, true, "", kRow, "1920"},
                                           {0, true, "1985", "Value out of range", "1920"},
                                           {1, true, "-1", "Value out of range", "1920"},
                                           {0, false, "", kColumn, "1080"},
                                           {0, false, "1113", "Value out of range", "1080"},
                                           {1, false, "", kColumn, "1080"}}) {
        SCOPED_TRACE(std::string(c.width ? "width " : "height ") + c.typed);
        CalculateHalfOfTwo();
        host.boxes.clear();
        if (c.width)
            logic->OnWindowWidth(c.window, c.typed);
        else
            logic->OnWindowHeight(c.window, c.typed);
        logic->OnAutoCalculation();
        EXPECT_EQ(host.Texts(), std::vector<std::string>{c.message});
        const MosaicGridWindow window = logic->View().windows[c.window];
        EXPECT_EQ(c.width ? window.width : window.height, c.reset);
        EXPECT_EQ(Fields(Group::Input), kHalfOfTwo);
        EXPECT_EQ(Fields(Group::Output), (Texts{"1920", "1080", "0", "0"}));
    }
}

TEST_F(MosaicTest, ARowOrColumnAddingUpToNothingIsRefused) {
    CalculateHalfOfTwo();
    logic->OnWindowWidth(0, "0");
    logic->OnWindowWidth(1, "0");
    logic->OnAutoCalculation();
    EXPECT_EQ(logic->View().windows[1].width, "0");
    logic->OnWindowWidth(0, "1920");
    logic->OnWindowWidth(1, "1920");
    logic->OnWindowHeight(0, "0");
    logic->OnAutoCalculation();
    EXPECT_EQ(host.Texts(), std::vector<std::string>(2, "Value out of range"));
    EXPECT_EQ(Fields(Group::Input), kHalfOfTwo);
}

// Taken whole within the group's limits; anything else is refused and the field keeps its value.
TEST_F(MosaicTest, AFieldOutsideItsGroupsLimitsIsRefusedAndKeepsItsValue) {
    struct Case { Group group; Field field; const char* typed; bool taken; };
    Open();
    for (const Case& c : std::vector<Case>{{Group::Output, Field::W, "1984", true},
                                           {Group::Output, Field::W, "1985", false},
                                           {Group::Input, Field::W, "1953", false},
                                           {Group::Input, Field::H, "1089", false},
                                           {Group::Input, Field::X, "-32", true},
                                           {Group::Input, Field::X, "-33", false},
                                           {Group::Output, Field::Y, "-9", false},
                                           {Group::Output, Field::X, "12a", false},
                                           {Group::Output, Field::H, "99999", false}}) {
        SCOPED_TRACE(c.typed);
        Type(Group::Input, kZeros);
        Type(Group::Output, kZeros);
        host.boxes.clear();
        logic->OnField(c.group, c.field, c.typed);
        EXPECT_EQ(Fields(c.group)[static_cast<int>(c.field)], c.taken ? c.typed : "0");
        EXPECT_EQ(host.Texts(), c.taken ? std::vector<std::string>{}
                                        : std::vector<std::string>{"Value out of range"});
    }
}

TEST_F(MosaicTest, SavingRefusesWithTheFirstCheckThatFailsAndSendsNothing) {
    struct Case { Group group; Texts whxy; bool connected; const char* message; };
    const char* const kZero = " width and height values ??can't be  0";
    const char* const kWide = "Width and horizontal start value exceeds the max width";
    const char* const kHigh = "Height and vertical start the value of the exceeds the max height";
    const sim::ProcessorState before = sim.processor.Snapshot();
    Open();
    for (const Case& c : std::vector<Case>{
             {Group::Input, {"1920", "1080", "40", "0"}, true, kWide},
             {Group::Input, {"1920", "0", "40", "0"}, true, kZero},
             {Group::Output, {"1920", "1080", "0", "33"}, true, kHigh},
             {Group::Input, {"1920", "1080", "40", "9"}, true, kWide},
             {Group::Output, {"1920", "1080", "0", "0"}, false, "Please Open the connection"},
             {Group::Input, {"1920", "1080", "40", "0"}, false, kWide}}) {
        SCOPED_TRACE(c.message);
        host.boxes.clear();
        state.connected = c.connected;
        Type(c.group, c.whxy);
        c.group == Group::Input ? logic->OnSaveInput() : logic->OnSaveOutput();
        EXPECT_EQ(host.Texts(), std::vector<std::string>{c.message});
    }
    EXPECT_EQ(host.workersRun, 0);
    EXPECT_TRUE(sim.processor.Snapshot() == before);
}

// Opened from K's window, saving to L: L's processor card takes it, as L's record does, and K
// stays the card selected. Once another program recalled another mode on L, the window goes
// into that mode, and L's record, which holds the mode it read, does not take it.
TEST_F(MosaicTest, SavesToTheOtherCardReachThatCard) {
    const WindowRect window{32, 1920, 8, 1080};
    CalculateHalfOfTwo();
    state.selectedOutput = 0;
    logic->OnChannel(1, 1);
    logic->OnSaveOutput();
    sim::ProcessorState processor = sim.processor.Snapshot();
    EXPECT_EQ(processor.outputs[1].modes[0].channels[0].output, window);
    EXPECT_EQ(state.outputs[1].outputRect[0], window);
    EXPECT_NE(processor.outputs[0].modes[0].channels[0].output, window);
    EXPECT_EQ(processor.selectedOutputBoard, 0);

    processor.outputs[1].displayMode = 3;
    sim.processor.Restore(processor);
    const WindowRect kept = state.outputs[1].cropRect[0];
    const auto started = sim.clock.ElapsedMs();
    logic->OnSaveInput();
    EXPECT_GE(sim.clock.ElapsedMs() - started, MosaicLogic::kSaveInputPauseMs);
    EXPECT_EQ(sim.processor.Snapshot().outputs[1].modes[3].channels[0].crop,
              (WindowRect{992, 960, 8, 1080}));
    EXPECT_EQ(state.outputs[1].cropRect[0], kept);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{});
}

// The record takes a window once the processor confirmed it, and the operator hears of any
// step that went unanswered.
TEST_F(MosaicTest, OnlyAConfirmedWindowIsRecorded) {
    CalculateHalfOfTwo();
    const WindowRect kept = state.outputs[0].cropRect[0];
    tap.silence = [](const Frame& f) { return f[2] == 0x91; };
    logic->OnSaveInput();
    EXPECT_EQ(state.outputs[0].cropRect[0], kept);
    logic->OnChannel(1, 1);
    logic->OnSaveInput();
    EXPECT_EQ(state.outputs[1].cropRect[0], kept);
    tap.silence = [](const Frame& f) { return f == sim::testing::CommandFrame(0x8D, {0, 0}); };
    logic->OnSaveInput();
    EXPECT_EQ(state.outputs[1].cropRect[0], (WindowRect{992, 960, 8, 1080}));
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{
                  "The processor did not confirm; nothing was changed.",
                  "The processor did not answer step 3 of 4 (91 00 03). Nothing was changed.",
                  "The processor did not answer step 4 of 4 (8D 00 00). The window was saved, but "
                  "the processor still has the other output card selected."}));
}

TEST_F(MosaicTest, ChannelsOfferedFollowTheCardsModeAndPresence) {
    using Offered = std::array<std::array<bool, 4>, 2>;
    state.outputs[0].configMode = 3;
    state.outputs[1].configMode = 5;
    Open();
    EXPECT_EQ(logic->View().channelEnabled,
              (Offered{{{true, false, true, false}, {true, false, false, false}}}));
    logic->OnChannel(1, 2);
    logic->OnChannel(0, 2);
    EXPECT_EQ(std::pair(logic->View().card, logic->View().channel), std::pair(0, 1));
    state.outputs[0].configMode = 1;
    state.presence.output[1] = false;
    Open();
    EXPECT_EQ(logic->View().channelEnabled,
              (Offered{{{true, true, true, true}, {false, false, false, false}}}));
}

}  // namespace
}  // namespace hsq
