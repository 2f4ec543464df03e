// The main window's start-up, commands, card pictures and closing, against the simulator.
#include "app/main_window_logic.h"

#include <algorithm>

#include "readback_fixture.h"
#include "support/recording_transport.h"

namespace hsq {
namespace {

constexpr int kEnglishSystem = 1033;
constexpr int kPrcSystem = 2052;

class RecordingOpener final : public DialogOpener {
  public:
    DialogOutcome Open(DialogKind kind) override {
        opened.push_back(kind);
        if (onOpen) onOpen(kind);
        return outcome;
    }
    std::vector<DialogKind> opened;
    std::function<void(DialogKind)> onOpen;
    DialogOutcome outcome;
};

class MainWindowTest : public testing::ReadbackFixture {
  protected:
    explicit MainWindowTest(sim::ProcessorState processor = sim::ProcessorState{})
        : ReadbackFixture(std::move(processor)) {}

    bool StartConnected() {
        store.WriteValue(ConfigFileKind::SystemInfo, "Connect", "AutoConnect", "1");
        return window.Start(kEnglishSystem, 1920, 1080) && state.connected;
    }
    // A press and release at the same point: a click.
    void Click(MainWindowLogic::Area area, Point point) {
        window.OnLeftButtonDown(area, point);
        window.OnLeftButtonUp(point);
    }

    testing::ScriptedHost host;
    RecordingOpener opener;
    MainWindowLogic window{state, store, sim.commands, host, opener};
};

TEST_F(MainWindowTest, ASmallScreenAsksAndNoEndsTheProgram) {
    host.Answer(false);
    EXPECT_FALSE(window.Start(kEnglishSystem, 1280, 720));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_TRUE(host.boxes[0].text.starts_with(
        "We detected that your system's resolution is 1280 X 720, due to"));
    host.Answer(true);
    EXPECT_TRUE(window.Start(kPrcSystem, 1024, 600));
    EXPECT_TRUE(host.boxes[1].text.starts_with("我们检测到您系统的分辨率是 1024 X 600,"));
    EXPECT_EQ(host.boxes[1].caption, "系统消息");
    EXPECT_TRUE(window.Start(kEnglishSystem, 1024, 768));
    EXPECT_EQ(host.boxes.size(), 2u);
}

TEST_F(MainWindowTest, AMissingInputFileIsReportedAndGuardsTheCommands) {
    std::filesystem::remove(folder / "Input.ini");
    EXPECT_TRUE(window.Start(kEnglishSystem, 1920, 1080));
    EXPECT_EQ(host.Texts(),
              std::vector<std::string>{"No configuration file: Input.ini, unable to initialize"});
    EXPECT_FALSE(window.ClockRunning());
    window.OnResolution();
    window.OnConnectButton();
    EXPECT_EQ(host.Texts().back(), "No configuration file: 2600info.ini, unable to initialize");
    EXPECT_EQ(host.boxes.size(), 3u);
    EXPECT_TRUE(opener.opened.empty());
    EXPECT_FALSE(state.connected);
}

TEST_F(MainWindowTest, FileCheckOrderDecidesTheMessage) {
    std::filesystem::remove(folder / "Output1.ini");
    EXPECT_TRUE(window.Start(kPrcSystem, 1920, 1080));
    std::filesystem::remove(folder / "2600Info.ini");
    EXPECT_TRUE(window.Start(kEnglishSystem, 1920, 1080));
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"未发现配置文件:Output.ini,无法进行初始化",
                                        "No configuration file: 2600info.ini, unable to initialize"}));
}

// B and L are missing.
class MainWindowPartialCardsTest : public MainWindowTest {
  protected:
    MainWindowPartialCardsTest() : MainWindowTest(sim::ProcessorState(Cards())) {}
    static sim::CardSet Cards() {
        sim::CardSet cards;
        cards.inputs = {true, false, true, true};
        cards.outputs = {true, false};
        return cards;
    }
};

TEST_F(MainWindowPartialCardsTest, AutoConnectShowsThePresentCardsOnly) {
    ASSERT_TRUE(StartConnected());
    EXPECT_TRUE(window.ClockRunning());
    EXPECT_EQ(host.workersRun, 1);  // the connection ran behind the waiting box
    EXPECT_TRUE(window.InputPictures().Visible(0));
    EXPECT_FALSE(window.InputPictures().Visible(1));
    EXPECT_TRUE(window.OutputPictures().Visible(0));
    EXPECT_FALSE(window.OutputPictures().Visible(1));
    EXPECT_EQ(window.OutputPictures().Picture(0), (Rect{0, 0, 225, 40}));
    EXPECT_EQ(window.CaptionText(MainWindowLogic::Caption::Connect), "DisConnect");
    EXPECT_EQ(state.statusLine, "COM1Serial Opened successfully");
}

TEST_F(MainWindowTest, DisconnectingHidesEverythingAndAFailedConnectSaysSo) {
    ASSERT_TRUE(StartConnected());
    window.OnConnectButton();
    EXPECT_FALSE(state.connected);
    EXPECT_EQ(state.statusLine, "COM1Closed");
    EXPECT_FALSE(window.InputPictures().AnyVisible());
    EXPECT_FALSE(window.OutputPictures().AnyVisible());
    EXPECT_EQ(window.CaptionText(MainWindowLogic::Caption::Connect), "Connect");

    sim.processor.SetFaults(sim::FaultInjector({{sim::FaultKind::kNoReply, 1.0}}, 1));
    window.OnConnectButton();
    EXPECT_FALSE(state.connected);
    EXPECT_EQ(host.Texts().back(),
              "Connection fails: please make sure of  right connection of cables and correct "
              "serial name or IP address.");
}

TEST_F(MainWindowTest, DraggingAnOutputPictureStaysInTheAreaAndIsStoredAtTheNextPress) {
    ASSERT_TRUE(StartConnected());
    window.OnLeftButtonDown(MainWindowLogic::Area::Output, {10, 60});  // on L
    window.OnMouseMove({-500, 40});
    window.OnLeftButtonUp({-500, 40});
    EXPECT_EQ(window.OutputPictures().Picture(1), (Rect{0, 30, 225, 70}));
    Click(MainWindowLogic::Area::Output, {200, 200});  // empty space: deselects
    EXPECT_TRUE(window.OutputPictures().SelectedIndices().empty());
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "OutScreenData", "OutScreen2"), "0,30,225,70");
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "OutScreenData", "OutScreen1"), "0,0,225,40");
}

TEST_F(MainWindowTest, AFrameSelectsWhatLiesWhollyInside) {
    ASSERT_TRUE(StartConnected());
    window.OnLeftButtonDown(MainWindowLogic::Area::Input, {240, 240});
    window.OnMouseMove({0, 60});
    EXPECT_EQ(window.InputPictures().SelectedIndices(), (std::vector<int>{1, 2, 3}));
    window.OnLeftButtonUp({0, 120});
    EXPECT_EQ(window.InputPictures().SelectedIndices(), (std::vector<int>{3}));
    // A press on one of several selected pictures keeps them all for the drag.
    window.OnLeftButtonDown(MainWindowLogic::Area::Input, {240, 240});
    window.OnMouseMove({0, 0});
    window.OnLeftButtonUp({0, 0});
    window.OnLeftButtonDown(MainWindowLogic::Area::Input, {20, 20});
    EXPECT_EQ(window.InputPictures().SelectedIndices().size(), 4u);
}

TEST_F(MainWindowTest, OutputDoubleClickNeedsExactlyOnePictureAndSelectsTheBoard) {
    ASSERT_TRUE(StartConnected());
    window.OnLeftButtonDown(MainWindowLogic::Area::Output, {240, 220});
    window.OnLeftButtonUp({0, 0});
    ASSERT_EQ(window.OutputPictures().SelectedIndices().size(), 2u);
    window.OnDoubleClick(MainWindowLogic::Area::Output);
    EXPECT_TRUE(opener.opened.empty());

    testing::RecordingTransport wire(sim.clock);
    sim.link.AttachTransport(&wire);
    Click(MainWindowLogic::Area::Output, {20, 60});  // L was selected already: both stay
    window.OnDoubleClick(MainWindowLogic::Area::Output);
    EXPECT_TRUE(opener.opened.empty());
    Click(MainWindowLogic::Area::Output, {240, 220});
    Click(MainWindowLogic::Area::Output, {20, 60});
    opener.onOpen = [&](DialogKind) { state.chosenDisplayMode[1] = 5; };
    window.OnDoubleClick(MainWindowLogic::Area::Output);
    EXPECT_EQ(opener.opened, std::vector<DialogKind>{DialogKind::OutputBoard});
    EXPECT_EQ(state.selectedOutput, 1);
    ASSERT_EQ(wire.written.size(), 1u);  // nothing was sent for the refused double clicks
    EXPECT_EQ(std::vector<std::uint8_t>(wire.written[0].begin(), wire.written[0].begin() + 5),
              (std::vector<std::uint8_t>{0x86, 0x01, 0x8D, 1, 0}));
    // The mode chosen in the dialog is now the card's mode, in the file and the record.
    EXPECT_EQ(Read(ConfigFileKind::Output, "BOARD", "Display_Mode", 2), "5");
    EXPECT_EQ(state.outputs[1].displayMode, 5);
}

TEST_F(MainWindowTest, InputDoubleClickReadsTheCardFirst) {
    ASSERT_TRUE(StartConnected());
    Click(MainWindowLogic::Area::Input, {20, 70});  // B
    window.OnDoubleClick(MainWindowLogic::Area::Input);
    EXPECT_EQ(opener.opened, std::vector<DialogKind>{DialogKind::InputCard});

    testing::RecordingTransport silent(sim.clock);
    sim.link.AttachTransport(&silent);
    window.OnDoubleClick(MainWindowLogic::Area::Input);
    EXPECT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(host.Texts().back(),
              "Failure to properly obtain the current input board status, check the "
              "communication");
}

TEST_F(MainWindowTest, ClosingWithNoWritesNothingAndWithYesSavesEveryProfile) {
    ASSERT_TRUE(StartConnected());
    state.inputs[0].brightness = 77;
    state.outputs[1].brightness = 9;
    const std::string input = folder.Read("Input.ini"), output2 = folder.Read("Output2.ini");
    host.Answer(false);
    EXPECT_FALSE(window.OnClose());
    EXPECT_EQ(folder.Read("Input.ini"), input);
    EXPECT_EQ(folder.Read("Output2.ini"), output2);
    EXPECT_EQ(host.boxes.back().text, "Do you want to exit?");
    host.Answer(true);
    EXPECT_TRUE(window.OnClose());
    EXPECT_EQ(Read(ConfigFileKind::Input, "B_C_C_C_TKRGB_IN", "InCard1"), "77,0,0,0,0,0,0");
    EXPECT_EQ(Read(ConfigFileKind::Output, "BOARD", "OutCH_Brightness", 2), "9");
}

TEST_F(MainWindowTest, InitialiseAsksFirstAndRunsBehindTheWaitingBox) {
    ASSERT_TRUE(StartConnected());
    host.Answer(false);
    window.OnInitialise();
    EXPECT_EQ(host.workersRun, 1);
    host.Answer(true);
    window.OnInitialise();
    EXPECT_EQ(host.workersRun, 2);
    EXPECT_EQ(host.progress.back(), (std::pair<int, int>{5, 5}));
}

TEST_F(MainWindowTest, TheDisplayModeDialogsOutcomeIsAdopted) {
    ASSERT_TRUE(StartConnected());
    opener.outcome.outputFormat = 0;
    opener.outcome.inAKout1 = 1;
    window.OnDisplayMode();
    EXPECT_EQ(state.system.resolution, (OutputResolution{0, 1024, 768}));
    EXPECT_EQ(state.system.inAKout1, 1);
}

TEST(MainWindowClock, TwoSpacesBetweenDateAndTime) {
    VirtualClock clock({2026, 12, 5, 17, 20, 4, 0});
    DeviceLink link(clock);
    DeviceCommands commands(link);
    testing::TempFolder folder;
    ProfileStore store(folder.path());
    MainWindowState state;
    testing::ScriptedHost host;
    RecordingOpener opener;
    MainWindowLogic window(state, store, commands, host, opener);
    EXPECT_EQ(window.ClockText(), "2026-12-05  17:20:04");
    clock.SleepMs(MainWindowLogic::kClockPeriodMs);
    EXPECT_EQ(window.ClockText(), "2026-12-05  17:20:06");
}

}  // namespace
}  // namespace hsq
