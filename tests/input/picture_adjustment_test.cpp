// The picture adjustment logic against the simulated processor, on virtual time.
#include "input/picture_adjustment_logic.h"

#include <tuple>

#include "app/readback_fixture.h"
#include "modes/mode_test_support.h"

namespace hsq {
namespace {

using Value = PictureAdjustmentLogic::Value;
using Group = PictureAdjustmentLogic::Group;
using CardField = std::uint8_t sim::InputCardState::*;

constexpr int kCard = 2;  // C: the per-card commands must reach the card selected last

template <typename Index>
std::size_t At(Index index) {
    return static_cast<std::size_t>(index);
}

class PictureAdjustmentTest : public testing::ReadbackFixture {
  protected:
    PictureAdjustmentTest() {
        state.connected = true;
        readback.ReadInputCard(kCard);  // selects the card, as the main window's card read does
    }

    // The processor's card C as given before the dialog opens and reads it.
    void SetCard(const std::function<void(sim::InputCardState&)>& change) {
        sim::ProcessorState processor = sim.processor.Snapshot();
        change(processor.inputs[kCard]);
        sim.processor.Restore(processor);
    }
    sim::InputCardState Card() const { return sim.processor.Snapshot().inputs[kCard]; }
    PictureAdjustmentLogic& Opened() {
        logic.Open();
        return logic;
    }

    testing::ScriptedHost host;
    PictureAdjustmentLogic logic{state, store, sim.commands, host, kCard};
};

// What the record took since the profile was written (a window the input card dialog saved)
// stays.
TEST_F(PictureAdjustmentTest, OpeningShowsWhatTheCardHoldsAndRecordsIt) {
    SetCard([](sim::InputCardState& card) {
        card.brightness = 70;
        card.thresholdDirection = 1;
        card.red = 200;
        card.green = 203;
        card.pipWindow = {300, 640, 16, 360};
    });
    state.inputs[kCard].pipRect = {300, 640, 16, 360};
    const PictureAdjustmentView view = Opened().View();
    EXPECT_EQ(state.inputs[kCard].pipRect, (WindowRect{300, 640, 16, 360}));
    EXPECT_EQ(host.workersRun, 1);
    EXPECT_EQ(view.positions[At(Value::Red)], 25);
    EXPECT_EQ(view.texts[At(Value::Red)], "200");
    EXPECT_EQ(view.positions[At(Value::Green)], 50);
    EXPECT_EQ(view.positions[At(Value::Brightness)], 70);
    EXPECT_EQ(view.direction, 1);
    EXPECT_EQ(Read(ConfigFileKind::Input, "B_C_C_C_TKRGB_IN", "InCard3"), "70,50,50,1,200,203,8");
    EXPECT_EQ(state.inputs[kCard].red, 200);
}

// A box takes a whole number up to its slider's end, or keeps its value and says so; Set sends
// what the box shows.
TEST_F(PictureAdjustmentTest, AnEditBoxTakesOnlyAWholeNumberWithinItsSlider) {
    const std::tuple<Value, const char*, const char*, int> cases[] = {
        {Value::Green, "253", "4", 1},         {Value::Green, "252", "252", 63},
        {Value::Red, "249", "8", 1},           {Value::Red, "7", "7", 0},
        {Value::Brightness, "101", "50", 50},  {Value::Brightness, "100", "100", 100},
        {Value::Contrast, "-3", "50", 50},     {Value::Contrast, "5x", "50", 50},
        {Value::Contrast, "4294967346", "50", 50}, {Value::Contrast, "0", "0", 0},
    };
    Opened();
    for (const auto& [value, typed, shown, position] : cases) {
        logic.OnText(value, typed);
        EXPECT_EQ(logic.View().texts[At(value)], shown) << typed;
        EXPECT_EQ(logic.View().positions[At(value)], position) << typed;
    }
    EXPECT_EQ(host.Texts(), std::vector<std::string>(6, "Value out of range"));
    logic.OnSet(Group::Brightness);
    logic.OnSet(Group::Keying);
    EXPECT_EQ(Card().brightness, 100);
    EXPECT_EQ(Card().green, 252);
    EXPECT_EQ(Card().red, 7);
}

TEST_F(PictureAdjustmentTest, SetSendsTheEditBoxAndResetSends50) {
    const std::tuple<Group, Value, CardField> groups[] = {
        {Group::Brightness, Value::Brightness, &sim::InputCardState::brightness},
        {Group::Colour, Value::Colour, &sim::InputCardState::colour},
        {Group::Contrast, Value::Contrast, &sim::InputCardState::contrast},
    };
    for (const auto& [group, value, field] : groups) {
        SCOPED_TRACE(At(group));
        SetCard([field](sim::InputCardState& card) { card.*field = 20; });
        Opened().OnText(value, "70");
        logic.OnSet(group);
        EXPECT_EQ(Card().*field, 70);
        logic.OnSlider(value, 10);
        logic.OnReset(group);
        EXPECT_EQ(Card().*field, 50);
        EXPECT_EQ(logic.View().positions[At(value)], 50);
        EXPECT_EQ(logic.View().texts[At(value)], "50");
    }
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(PictureAdjustmentTest, AfterAKeyingResetTheNextSetSendsDirectionBelow) {
    Opened().OnDirection(true);
    logic.OnText(Value::Red, "200");
    logic.OnSet(Group::Keying);
    EXPECT_EQ(Card().thresholdDirection, 1);
    EXPECT_EQ(Card().red, 200);
    EXPECT_EQ(state.inputs[kCard].thresholdDirection, 1);

    logic.OnReset(Group::Keying);
    EXPECT_EQ(Card(), (sim::InputCardState{}));
    EXPECT_EQ(state.inputs[kCard].red, 8);
    const PictureAdjustmentView view = logic.View();
    EXPECT_EQ(view.direction, 0);
    for (Value value : {Value::Red, Value::Green, Value::Blue})
        EXPECT_EQ(view.positions[At(value)], 1);

    logic.OnText(Value::Red, "16");
    logic.OnSet(Group::Keying);
    EXPECT_EQ(Card().thresholdDirection, 0);
    EXPECT_EQ(Card().red, 16);
}

// Sent twice without an answer: the record keeps the card's value, the window shows it again,
// and the operator is told.
TEST_F(PictureAdjustmentTest, AnUnconfirmedSetOrResetShowsWhatTheCardHolds) {
    SetCard([](sim::InputCardState& card) { card.brightness = 30; });
    Opened();
    testing::FrameTap tap(sim.transport);
    sim.link.AttachTransport(&tap);
    tap.silence = [](const Frame& frame) { return frame[2] == 0x88; };
    logic.OnText(Value::Brightness, "70");
    logic.OnSet(Group::Brightness);
    logic.OnSlider(Value::Brightness, 60);
    logic.OnReset(Group::Brightness);
    EXPECT_EQ(std::count_if(tap.frames.begin(), tap.frames.end(),
                            [](const Frame& frame) { return frame[2] == 0x88; }),
              4);
    EXPECT_EQ(state.inputs[kCard].brightness, 30);
    EXPECT_EQ(logic.View().positions[At(Value::Brightness)], 30);
    EXPECT_EQ(logic.View().texts[At(Value::Brightness)], "30");
    EXPECT_EQ(host.Texts(), std::vector<std::string>(
                                2, "The processor did not confirm; nothing was changed."));
}

// Set and Reset alike: nothing reaches the card and the operator is told why.
TEST_F(PictureAdjustmentTest, ANotAnsweringCardOrNoConnectionSendsNothing) {
    SetCard([](sim::InputCardState& card) { card.red = 200; });
    Opened().OnText(Value::Brightness, "70");
    sim::ProcessorState processor = sim.processor.Snapshot();
    processor.silent[kCard] = true;
    sim.processor.Restore(processor);
    const std::tuple<LanguageFlag, bool, const char*, const char*> cases[] = {
        {kEnglish, true, "System information",
         "Poor communication, can't send data\nThe processor did not confirm; nothing was "
         "changed."},
        {kChinese, true, "系统信息", "通讯不畅，无法发送数据\n处理器没有确认，没有做任何更改。"},
        {kEnglish, false, "System information", "Please Open the connection"},
    };
    for (const auto& [language, connected, caption, text] : cases) {
        state.language = language;
        state.connected = connected;
        host.boxes.clear();
        logic.OnSet(Group::Brightness);
        logic.OnReset(Group::Keying);
        ASSERT_EQ(host.boxes.size(), 2u) << text;
        for (const auto& box : host.boxes) {
            EXPECT_EQ(box.caption, caption);
            EXPECT_EQ(box.text, text);
        }
        EXPECT_EQ(Card().brightness, 50);
        EXPECT_EQ(Card().red, 200);
    }
}

}  // namespace
}  // namespace hsq
