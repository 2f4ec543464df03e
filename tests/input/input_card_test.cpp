// The input card dialog's logic against the simulated processor, on virtual time.
#include "input/input_card_logic.h"

#include <functional>
#include <memory>
#include <tuple>

#include "app/readback_fixture.h"
#include "modes/mode_test_support.h"

namespace hsq {
namespace {

using Field = InputCardLogic::Field;
using Row = InputCardLogic::Row;
using Faces = std::array<Color, 4>;
using Info = std::array<int, 3>;  // main signal, mode, sub signal

constexpr Color kGrey{169, 169, 169};
constexpr Color kMainGreen{0, 255, 0};
constexpr Color kSubBlue{0, 0, 255};
constexpr Color kSubCyan{0, 255, 255};
constexpr Color kActive{125, 38, 205};

// The card's signal codes and modes as the processor reports them.
constexpr int kDvi = 1;
constexpr int kVga = 2;
constexpr int kNone = 15;

class InputCardTest : public testing::ReadbackFixture {
  protected:
    InputCardTest() {
        state.connected = true;
        state.system.resolution = {6, 1920, 1080};
    }

    // The card as the processor holds it, read as the main window reads it before it opens
    // the dialog (which also selects the card on the processor).
    void Open(int mainSignal, int mode, int sub = kNone, int card = 0) {
        sim.processor.SetFaults({});
        sim::ProcessorState processor;
        processor.inputs[card].mainSignal = static_cast<std::uint8_t>(mainSignal);
        processor.inputs[card].pictureMode = static_cast<std::uint8_t>(mode);
        processor.inputs[card].subSignal = static_cast<std::uint8_t>(sub);
        sim.processor.Restore(processor);
        EXPECT_TRUE(readback.ReadInputCard(static_cast<std::uint8_t>(card)).Done());
        logic = std::make_unique<InputCardLogic>(state, sim.commands, host, card, dialogs);
        logic->Canvas().Editor().SetClientSize({450, 270});
    }
    sim::InputCardState Card() { return sim.processor.Snapshot().inputs[0]; }
    Info ProcessorInfo() {
        const sim::InputCardState card = Card();
        return {card.mainSignal, card.pictureMode, card.subSignal};
    }
    Info RecordInfo() const {
        const InputCardRecord& record = state.inputs[0];
        return {record.mainSignal, record.mode, record.subSignal};
    }
    CChannelWindow& Window(int index) {
        return static_cast<CChannelWindow&>(logic->Canvas().Items().At(index));
    }
    bool Sends(const std::function<void()>& action) {
        const auto before = sim.clock.ElapsedMs();
        action();
        return sim.clock.ElapsedMs() != before;
    }

    testing::ScriptedHost host;
    InputCardLogic::Dialogs dialogs;
    std::unique_ptr<InputCardLogic> logic;
};

struct SignalCase {
    const char* what;
    Info before;  // main, mode, sub
    int button;
    bool sent;
    Info after;
    Faces faces;
    bool vgaAuto;
};

TEST_F(InputCardTest, SignalButtonsSendTheSignalOfTheChannelShown) {
    const SignalCase cases[] = {
        {"the green button", {kDvi, 0, kNone}, 2, false, {kDvi, 0, kNone},
         {kGrey, kGrey, kMainGreen, kGrey}, false},
        {"main to VGA", {kDvi, 0, kNone}, 1, true, {kVga, 0, kNone},
         {kGrey, kMainGreen, kGrey, kGrey}, true},
        {"PIP from the main's VGA", {kVga, 1, kNone}, 1, true, {kVga, 2, kVga},
         {kGrey, kSubCyan, kGrey, kGrey}, false},
        {"text from SDI", {kVga, 3, kNone}, 3, true, {kVga, 4, 0},
         {kGrey, kMainGreen, kGrey, kSubBlue}, false},
        {"the blue button", {kVga, 2, 0}, 3, false, {kVga, 2, 0},
         {kGrey, kMainGreen, kGrey, kSubBlue}, false},
    };
    for (const SignalCase& c : cases) {
        SCOPED_TRACE(c.what);
        Open(c.before[0], c.before[1], c.before[2]);
        EXPECT_EQ(Sends([&] { logic->OnSignal(c.button); }), c.sent);
        EXPECT_EQ(ProcessorInfo(), c.after);
        EXPECT_EQ(RecordInfo(), c.after);
        EXPECT_EQ(logic->View().signalFaces, c.faces);
        EXPECT_EQ(logic->View().vgaAutoEnabled, c.vgaAuto);
    }
}

// Each command is sent twice without an answer; then nothing here says it was done, the operator
// is told, and the same press sends again.
TEST_F(InputCardTest, AnUnconfirmedCommandChangesNothingAndCanBeRetried) {
    const std::tuple<Info, std::function<void(InputCardLogic&)>, Info> cases[] = {
        {{kVga, 0, kNone}, &InputCardLogic::OnPip, {kVga, 1, kNone}},
        {{kVga, 0, kNone}, &InputCardLogic::OnText, {kVga, 3, kNone}},
        {{kVga, 0, kNone}, &InputCardLogic::OnVgaAuto, {kVga, 0, kNone}},
        {{kVga, 1, kNone}, [](InputCardLogic& logic) { logic.OnSignal(3); }, {kVga, 2, 0}},
        {{kDvi, 0, kNone}, [](InputCardLogic& logic) { logic.OnSignal(0); }, {3, 0, kNone}},
    };
    int row = 0;
    for (const auto& [info, action, retried] : cases) {
        SCOPED_TRACE(row++);
        Open(info[0], info[1], info[2]);
        logic->OnPanelToggle();
        const InputCardView before = logic->View();
        host.boxes.clear();
        sim.processor.SetFaults(sim::FaultInjector({{sim::FaultKind::kNoReply, 1.0}}, 1));
        sim.clock.ClearPauses();
        action(*logic);
        EXPECT_EQ(logic->View(), before);
        EXPECT_EQ(RecordInfo(), info);
        EXPECT_EQ(host.Texts(),
                  std::vector<std::string>{"The processor did not confirm; nothing was changed."});
        // The frame and its repeat, each with the link's pause and a whole short wait.
        const std::vector<int> pauses = sim.clock.Pauses();
        EXPECT_EQ(std::count(pauses.begin(), pauses.end(), 200), 2);
        sim.processor.SetFaults({});
        action(*logic);
        EXPECT_EQ(RecordInfo(), retried);
        EXPECT_EQ(ProcessorInfo(), retried);
    }
}

TEST_F(InputCardTest, VgaAutoWaitsForTheAdjustmentOnlyForVga) {
    Open(kDvi, 0);
    EXPECT_FALSE(Sends([&] { logic->OnVgaAuto(); }));
    Open(kVga, 0);
    sim.clock.ClearPauses();
    logic->OnVgaAuto();
    EXPECT_EQ(sim.clock.Pauses().back(), 5000);
    EXPECT_EQ(logic->View().vgaAutoFace, kActive);
}

// Each edit starts where the one before left the rectangle; each row shows the row's fields
// after. A value that does not fit is refused whole and said so.
TEST_F(InputCardTest, EditsStayInsideTheInputPictureAndSendNothing) {
    Open(kDvi, 1);
    const std::tuple<Row, Field, const char*, std::array<int, 4>> cases[] = {
        {Row::Main, Field::W, "2000", {1920, 1080, 0, 0}},
        {Row::Main, Field::W, "96x", {1920, 1080, 0, 0}},
        {Row::Main, Field::W, "961", {961, 1080, 0, 0}},
        {Row::Main, Field::X, "960", {961, 1080, 0, 0}},
        {Row::Main, Field::X, "958", {961, 1080, 958, 0}},
        {Row::Main, Field::W, "2147483647", {961, 1080, 958, 0}},
        {Row::Pip, Field::Y, "720", {640, 360, 16, 720}},
        {Row::Pip, Field::H, "361", {640, 360, 16, 720}},
    };
    const bool sent = Sends([&] {
        for (const auto& [row, field, typed, shown] : cases) {
            logic->OnField(row, field, typed);
            const InputCardView view = logic->View();
            EXPECT_EQ(row == Row::Main ? view.mainFields : view.pipFields, shown) << typed;
        }
    });
    EXPECT_FALSE(sent);
    EXPECT_EQ(host.Texts(), std::vector<std::string>(5, "Value out of range"));
    EXPECT_EQ(Window(0).Rectangle(), (RectF{958 * 450 / 1920.0, 0, 1919 * 450 / 1920.0, 270}));
}

// What the processor holds at each pause: the PIP window goes first, the main picture after
// the link's pause and one more. The processor takes a window only high byte first. Each window
// reaches the card's record as the processor confirms it.
TEST_F(InputCardTest, SaveSendsThePipWindowThenTheMainPicture) {
    Open(kDvi, 1);
    logic->OnField(Row::Pip, Field::X, "300");
    logic->OnField(Row::Main, Field::W, "1280");
    using Held = std::tuple<int, WindowRect, WindowRect>;  // pause, PIP window, main picture
    std::vector<Held> pauses;
    sim.clock.SetPauseHook(
        [&](int ms) { pauses.emplace_back(ms, Card().pipWindow, Card().mainWindow); });
    logic->OnSave();
    sim.clock.SetPauseHook({});
    const WindowRect pip{300, 640, 16, 360};
    const WindowRect main{0, 1280, 0, 1080};
    const WindowRect before{0, 1920, 0, 1080};
    EXPECT_EQ(pauses,
              (std::vector<Held>{{200, pip, before}, {200, pip, before}, {200, pip, main}}));
    EXPECT_EQ(EncodeWindow(1, pip),
              (std::array<std::uint8_t, 9>{1, 0x01, 0x2C, 0x02, 0x80, 0x00, 0x10, 0x01, 0x68}));
    EXPECT_EQ(state.inputs[0].pipRect, pip);
    EXPECT_EQ(state.inputs[0].mainRect, main);

    // The main picture unanswered, twice: the PIP window stands, and so the operator is told.
    testing::FrameTap tap(sim.transport);
    sim.link.AttachTransport(&tap);
    tap.silence = [](const Frame& frame) { return frame[2] == 0x86; };
    logic->OnField(Row::Pip, Field::X, "302");
    logic->OnField(Row::Main, Field::W, "960");
    logic->OnSave();
    EXPECT_EQ(host.Texts(), std::vector<std::string>{
                                "The processor did not answer step 2 of 2 (86 00 00). The PIP "
                                "window was saved; the main picture was not changed."});
    EXPECT_EQ(state.inputs[0].pipRect, (WindowRect{302, 640, 16, 360}));
    EXPECT_EQ(state.inputs[0].mainRect, main);
    EXPECT_EQ(Card().mainWindow, main);
}

// The drag is taken at once, converted from where the window was placed. Ctrl+Z takes back a
// drag not yet saved, and nothing once it was.
TEST_F(InputCardTest, AWindowDraggedRightAfterPlacingIsSentWhereItWasLeft) {
    Open(kDvi, 1);
    logic->OnField(Row::Main, Field::W, "960");
    logic->OnField(Row::Main, Field::H, "540");
    CWallEditor& editor = logic->Canvas().Editor();
    const auto drag = [&] {
        editor.OnMousePress({{200, 120}});
        editor.OnMouseMove({{300, 200}});
        editor.OnMouseRelease({{300, 200}});
    };
    drag();
    EXPECT_EQ(logic->View().mainFields, (std::array{960, 540, 426, 320}));
    EXPECT_FALSE(Sends([&] { logic->OnUndo(); }));
    EXPECT_EQ(logic->View().mainFields, (std::array{960, 540, 0, 0}));
    EXPECT_EQ(Window(0).Rectangle(), (RectF{0, 0, 225, 135}));
    drag();
    logic->OnSave();
    EXPECT_EQ(Card().mainWindow, (WindowRect{426, 960, 320, 540}));
    logic->OnUndo();
    EXPECT_EQ(logic->View().mainFields, (std::array{960, 540, 426, 320}));
}

TEST_F(InputCardTest, CanvasNoticesTakeTheirWindowsByCode) {
    const ProcessorRect moved{100, 50, 800, 600};
    const std::pair<int, std::array<bool, 2>> cases[] = {
        {8, {true, true}},   {9, {true, false}},  {10, {false, false}}, {11, {true, true}},
        {12, {true, true}},  {13, {true, true}},  {14, {true, true}},   {15, {false, false}},
    };
    for (const auto& [code, taken] : cases) {
        SCOPED_TRACE(code);
        Open(kDvi, 1);
        const InputCardView before = logic->View();
        Window(0).SetProcessor(moved);
        Window(1).SetProcessor(moved);
        EXPECT_FALSE(Sends([&] {
            logic->OnNotice(static_cast<LayoutNotice>(code), {&Window(0), &Window(1)});
        }));
        const std::array<int, 4> shown{800, 600, 100, 50};
        EXPECT_EQ(logic->View().mainFields, taken[0] ? shown : before.mainFields);
        EXPECT_EQ(logic->View().pipFields, taken[1] ? shown : before.pipFields);
    }
    // Never wrapped onto the wire.
    Window(1).SetProcessor({-2, 0, 640, 360});
    logic->OnNotice(LayoutNotice::Moved, {&Window(1)});
    EXPECT_FALSE(Sends([&] { logic->OnSave(); }));
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Value out of range"});
}

TEST_F(InputCardTest, WithoutAConnectionNothingIsSent) {
    Open(kVga, 0);
    state.connected = false;
    const std::function<void()> actions[] = {
        [&] { logic->OnPip(); },       [&] { logic->OnText(); }, [&] { logic->OnVgaAuto(); },
        [&] { logic->OnSignal(0); },   [&] { logic->OnSave(); },
    };
    for (const auto& action : actions) EXPECT_FALSE(Sends(action));
    EXPECT_EQ(host.Shown(), std::vector<std::string>(
                                std::size(actions), "System information: Please Open the connection"));
    EXPECT_EQ(host.workersRun, 0);
    EXPECT_EQ(state.inputs[0].mode, 0);
    state.language = kChinese;
    logic->OnPip();
    EXPECT_EQ(host.Shown().back(), "系统信息: 请打开连接");
}

}  // namespace
}  // namespace hsq
