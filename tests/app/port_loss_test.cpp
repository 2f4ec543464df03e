// The line lost in the middle of each long operation: it ends within one reply wait with its
// message, no file changes, and after Disconnect and Connect the operation goes through.
#include <algorithm>
#include <optional>

#include "app/main_window_logic.h"
#include "modes/mode_file.h"
#include "modes/mode_get_logic.h"
#include "modes/mode_test_support.h"
#include "output/advanced_output_logic.h"
#include "output/output_board_logic.h"
#include "output/output_resolution_logic.h"
#include "readback_fixture.h"
#include "scheduler/timer_actions.h"
#include "scheduler/timer_examples.h"

namespace hsq {
namespace {

// The frame that meets the loss reaches the processor, but every read from then on says the device
// is gone, until the line is plugged in again.
class LosingLine final : public LinkTransport {
  public:
    LosingLine(LinkTransport& inner, Clock& clock) : inner_(inner), clock_(clock) {}

    void LoseAfter(int frames) { framesLeft_ = frames; }
    void PlugIn() {
        framesLeft_.reset();
        lostAtMs_.reset();
        closed_ = false;
    }
    std::optional<std::int64_t> LostAtMs() const { return lostAtMs_; }

    int WriteFrame(const std::uint8_t* bytes, int count) override {
        if (closed_)
            return 0;
        if (framesLeft_ && (*framesLeft_)-- == 0)
            lostAtMs_ = clock_.NowMs();
        return inner_.WriteFrame(bytes, count);
    }
    int ReadAvailable(std::uint8_t* bytes, int count) override {
        return lostAtMs_ ? kTransportGone : inner_.ReadAvailable(bytes, count);
    }
    void CloseTransport() override {
        closed_ = lostAtMs_.has_value();
        inner_.CloseTransport();
    }
    bool IsOpenTransport() const override { return !closed_; }

  private:
    LinkTransport& inner_;
    Clock& clock_;
    std::optional<int> framesLeft_;
    std::optional<std::int64_t> lostAtMs_;
    bool closed_ = false;
};

class NoDialogs final : public DialogOpener {
  public:
    DialogOutcome Open(DialogKind) override { return {}; }
};

class PortLossTest;

// Returns whether the operation went through.
struct Operation {
    const char* name;
    std::function<bool(PortLossTest&)> run;
    int framesBeforeLoss;
    const char* toldOnLoss;  // the operation's message; empty for a timer, which shows nothing
};

class PortLossTest : public testing::ReadbackFixture,
                     public ::testing::WithParamInterface<Operation> {
  public:
    PortLossTest() {
        sim.link.AttachTransport(&line);
        store.WriteValue(ConfigFileKind::SystemInfo, "Connect", "AutoConnect", "1");
        EXPECT_TRUE(window.Start(1033, 1920, 1080) && state.connected);
        EXPECT_TRUE(WriteModeFile(folder / "mode.ini", testing::SampleBank()));
        store.WriteValue(ConfigFileKind::Output, "Mode3", "OutCH4_OutputMap_Size", "640,360,8,8",
                         1);
    }

    bool NothingTold() const {
        return std::all_of(host.boxes.begin(), host.boxes.end(),
                           [](const auto& box) { return box.question; });
    }
    std::vector<std::string> Told() {
        std::vector<std::string> told;
        for (const auto& box : host.boxes)
            if (!box.question)
                told.push_back(box.text);
        host.boxes.clear();
        return told;
    }
    void Click(MainWindowLogic::Area area, Point point) {
        window.OnLeftButtonDown(area, point);
        window.OnLeftButtonUp(point);
    }

    LosingLine line{sim.transport, sim.clock};
    testing::ScriptedHost host;
    NoDialogs dialogs;
    MainWindowLogic window{state, store, sim.commands, host, dialogs};
};

ModeGetLogic Modes(PortLossTest& test) {
    return ModeGetLogic(test.state, test.store, test.sim.commands, test.host);
}

const Operation kOperations[] = {
    {"OutputCardRead",
     [](PortLossTest& test) {
         OutputBoardLogic::Dialogs none;
         none.askModeName = [](const std::string& name) { return name; };
         OutputBoardLogic board(test.state, test.store, test.sim.commands, test.host, 0, none);
         board.Open();
         return test.NothingTold();
     },
     8,
     "Failure to properly obtain the current output board status, check the communication\nThe "
     "processor did not answer step 9 of 18 (FE 09 0C). Nothing was changed."},
    {"InputCardRead",
     [](PortLossTest& test) {
         test.Click(MainWindowLogic::Area::Input, {20, 70});
         test.window.OnDoubleClick(MainWindowLogic::Area::Input);
         return test.NothingTold();
     },
     2,
     "Failure to properly obtain the current input board status, check the communication\nThe "
     "processor did not answer step 3 of 4 (FE 06 01). Nothing was changed."},
    {"Initialise",
     [](PortLossTest& test) {
         test.host.Answer(true);
         test.window.OnInitialise();
         return test.NothingTold();
     },
     0, "The processor did not answer step 1 of 1 (9C 06 00). Nothing was changed."},
    {"Recall",
     [](PortLossTest& test) {
         ModeGetLogic modes = Modes(test);
         modes.OnMode(4);
         modes.OnLoad();
         return test.NothingTold();
     },
     0, "The processor did not confirm; nothing was changed."},
    {"Export",
     [](PortLossTest& test) {
         test.host.AnswerFile((test.folder / "export.ini").string());
         Modes(test).OnExport();
         return test.NothingTold();
     },
     150, "The processor did not answer step 151 of 364 (FE 16 C4). No file was written."},
    {"Import",
     [](PortLossTest& test) {
         test.host.AnswerFile((test.folder / "mode.ini").string());
         Modes(test).OnImport();
         return test.NothingTold();
     },
     150,
     "Import data failed\nThe processor did not answer step 151 of 305 (AF F0 00). The processor "
     "holds part of the file."},
    {"OutputResolution",
     [](PortLossTest& test) {
         OutputResolutionLogic logic(test.state, test.store, test.sim.commands, test.host);
         test.host.Answer(true);
         logic.OnSlider(1);
         logic.OnSet();
         return test.NothingTold();
     },
     0, "The processor did not answer step 1 of 1 (9C 02 00). Nothing was changed."},
    {"ApplicationMode",
     [](PortLossTest& test) {
         test.host.Answer(true);
         AdvancedOutputLogic(test.state, test.store, test.sim.commands, test.host, 0)
             .OnApplicationMode(5);
         return test.NothingTold();
     },
     0, "The processor did not confirm; nothing was changed."},
    {"TimerFiring",
     [](PortLossTest& test) {
         Cancellation stop;
         const TimerRecord recall =
             testing::DayTimer(TimerSection::OutputMode, "08:00:00", 3, {5, 6});
         return TimerActions(test.sim.commands, test.sim.clock, stop).CarryOut(recall, false);
     },
     2, ""},
};

TEST_P(PortLossTest, EndsWithinOneReplyWaitKeepsTheFilesAndGoesThroughOnceConnectedAgain) {
    const Operation& operation = GetParam();
    const auto files = Files();
    line.LoseAfter(operation.framesBeforeLoss);
    const bool wentThrough = operation.run(*this);
    ASSERT_TRUE(line.LostAtMs()) << "the operation ended before the line was lost";
    EXPECT_LE(sim.clock.NowMs() - *line.LostAtMs(),
              DeviceLink::kShortAttempts * DeviceLink::kPollPauseMs);
    EXPECT_FALSE(wentThrough);
    EXPECT_EQ(Told(), *operation.toldOnLoss == '\0'
                          ? std::vector<std::string>{}
                          : std::vector<std::string>{operation.toldOnLoss});
    EXPECT_EQ(Files(), files);
    EXPECT_FALSE(folder.Exists("export.ini"));
    EXPECT_FALSE(sim.link.Answering());

    window.OnConnectButton();
    line.PlugIn();
    window.OnConnectButton();
    ASSERT_TRUE(state.connected);
    EXPECT_TRUE(operation.run(*this));
    EXPECT_EQ(Told(), std::vector<std::string>{});
    EXPECT_TRUE(sim.link.Answering());
}

INSTANTIATE_TEST_SUITE_P(LongOperations, PortLossTest, ::testing::ValuesIn(kOperations),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace hsq
