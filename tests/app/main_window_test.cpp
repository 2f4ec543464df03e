// The main window's start-up, commands, card pictures and closing, against the simulator.
#include "app/main_window_logic.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>

#include "modes/mode_get_logic.h"
#include "modes/mode_test_support.h"
#include "output/output_board_logic.h"
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
    long TimesCannotWrite(const char* name) const {
        const std::string text = "Cannot write the configuration file " + (folder / name).string() +
                                 ": the settings were not saved. Check that the folder can be "
                                 "written and the disk is not full.";
        const std::vector<std::string> texts = host.Texts();
        return std::count(texts.begin(), texts.end(), text);
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

TEST_F(MainWindowTest, FileCheckOrderDecidesTheMessage) {
    std::filesystem::remove(folder / "Output1.ini");
    EXPECT_TRUE(window.Start(kPrcSystem, 1920, 1080));
    std::filesystem::remove(folder / "2600Info.ini");
    EXPECT_TRUE(window.Start(kEnglishSystem, 1920, 1080));
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{"未发现配置文件:Output.ini,无法进行初始化",
                                        "No configuration file: 2600info.ini, unable to initialize"}));
}

// However a checked file is unusable, it is named, and nothing was loaded: initialising is
// refused like every guarded command, and closing with Yes leaves every file as it was.
TEST_F(MainWindowTest, AfterAFailedFileCheckNothingIsInitialisedOrSaved) {
    const std::map<std::string, std::string> names{{"2600Info.ini", "2600info.ini"},
                                                   {"Input.ini", "Input.ini"},
                                                   {"Output1.ini", "Output.ini"}};
    // What is left where the file was, once it is removed.
    const std::vector<std::function<void(const std::filesystem::path&)>> breaks{
        [](const auto&) {},
        [](const auto& file) { std::filesystem::create_directory(file); },
        [](const auto& file) { std::filesystem::create_symlink("gone.ini", file); },
        [](const auto& file) { ::mkfifo(file.c_str(), 0644); },
    };
    for (const auto& [broken, told] : names) {
        for (std::size_t way = 0; way < breaks.size(); ++way) {
            testing::TempFolder other;
            ASSERT_TRUE(WriteDefaultConfiguration(other.path()));
            std::filesystem::remove(other / broken);
            breaks[way](other / broken);
            std::map<std::string, std::string> before;
            for (const char* name : {"2600Info.ini", "Input.ini", "Output1.ini", "Output2.ini"})
                if (name != broken) before[name] = other.Read(name);
            ProfileStore otherStore(other.path());
            MainWindowState otherState;
            testing::ScriptedHost otherHost;
            MainWindowLogic otherWindow(otherState, otherStore, sim.commands, otherHost, opener);
            ASSERT_TRUE(otherWindow.Start(kEnglishSystem, 1920, 1080));
            EXPECT_FALSE(otherWindow.ClockRunning());
            otherWindow.OnInitialise();
            otherWindow.OnResolution();
            otherWindow.OnConnectButton();
            const std::string guard = "No configuration file: 2600info.ini, unable to initialize";
            EXPECT_EQ(otherHost.Texts(),
                      (std::vector<std::string>{
                          "No configuration file: " + told + ", unable to initialize", guard,
                          guard, guard}))
                << broken << " broken way " << way;
            EXPECT_EQ(otherHost.workersRun, 0);
            EXPECT_TRUE(opener.opened.empty());
            EXPECT_FALSE(otherState.connected);
            otherHost.Answer(true);
            EXPECT_TRUE(otherWindow.OnClose());
            for (const auto& [name, bytes] : before)
                EXPECT_EQ(other.Read(name), bytes) << broken << " broken way " << way << ": " << name;
        }
    }
}

TEST_F(MainWindowTest, StartRemovesStaleTemporariesAndClosingCreatesNoFileMissingBeyondTheCheck) {
    folder.Write(".Input.ini.q1W2e3", "half a file");
    std::filesystem::remove(folder / "Output2.ini");
    ASSERT_TRUE(window.Start(kEnglishSystem, 1920, 1080));
    EXPECT_FALSE(folder.Exists(".Input.ini.q1W2e3"));
    state.outputs[0].brightness = 4;
    host.Answer(true);
    ASSERT_TRUE(window.OnClose());
    EXPECT_EQ(Read(ConfigFileKind::Output, "BOARD", "OutCH_Brightness", 1), "4");
    EXPECT_FALSE(folder.Exists("Output2.ini"));
}

// A damaged file is told once, however often it is loaded.
TEST_F(MainWindowTest, ADamagedFileIsToldOnce) {
    const std::string damaged = "[BOARD]\r\nOutCH1_Form=0,128\r\n" + folder.Read("Output1.ini");
    folder.Write("Output1.ini", damaged);
    ASSERT_TRUE(window.Start(kEnglishSystem, 1920, 1080));
    window.OnDisplayMode();  // loads every profile again
    const std::string told = "The configuration file " + (folder / "Output1.ini").string() +
                             " is damaged (not text, without its sections or with incomplete "
                             "lists): the settings read from it may be wrong. A copy of it is "
                             "kept as a .bad file before the program rewrites it.";
    EXPECT_EQ(host.Shown(), std::vector<std::string>{"System information: " + told});
}

// A mode name the GBK file cannot hold costs nothing else of the card's save.
TEST_F(MainWindowTest, ANameAGbkFileCannotHoldIsToldAndTheRestOfTheCardSaved) {
    const std::string gbkName = "\xC4\xA3\xCA\xBD\xD2\xBB";  // 模式一
    folder.Write("Output1.ini",
                 "[MODENAME]\r\nMode0=" + gbkName + "\r\n" + folder.Read("Output1.ini"));
    ASSERT_TRUE(window.Start(kPrcSystem, 1920, 1080));
    ASSERT_EQ(state.outputs[0].modeNames[0], "模式一");
    state.outputs[0].modeNames[0] = "笑脸 \xF0\x9F\x98\x80";
    state.outputs[0].modeNames[1] = "大厅";
    state.outputs[0].brightness = 9;
    host.Answer(true);
    ASSERT_TRUE(window.OnClose());
    EXPECT_EQ(Read(ConfigFileKind::Output, "MODENAME", "Mode0", 1), "模式一");
    EXPECT_EQ(Read(ConfigFileKind::Output, "MODENAME", "Mode1", 1), "大厅");
    EXPECT_EQ(Read(ConfigFileKind::Output, "BOARD", "OutCH_Brightness", 1), "9");
    EXPECT_EQ(host.Shown().back(), "系统信息: 配置文件 " + (folder / "Output1.ini").string() +
                                       " 使用的编码(GBK)无法保存“笑脸 \xF0\x9F\x98\x80”，该项保留原来的内容。");
}

// Told once per file, also when the write failed in a worker.
TEST_F(MainWindowTest, AFileThatCannotBeWrittenIsToldOnce) {
    ASSERT_TRUE(StartConnected());
    std::filesystem::remove(folder / "Input.ini");
    std::filesystem::create_directory(folder / "Input.ini");
    for (int attempt = 0; attempt < 2; ++attempt) {
        host.Answer(true);
        window.OnInitialise();
    }
    EXPECT_EQ(TimesCannotWrite("Input.ini"), 1);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "Input.ini"));
}

// Root writes into a read-only folder all the same; an operator does not.
TEST_F(MainWindowTest, AReadOnlyFolderIsToldOnceAndTheProgramGoesOn) {
    ASSERT_TRUE(window.Start(kEnglishSystem, 1920, 1080));
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    if (::access(folder.path().c_str(), W_OK) == 0) {
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
        GTEST_SKIP() << "this user can write into a read-only folder";
    }
    const std::string input = folder.Read("Input.ini");
    host.Answer(true);
    EXPECT_TRUE(window.OnClose());
    host.Answer(true);
    EXPECT_TRUE(window.OnClose());
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
    EXPECT_EQ(folder.Read("Input.ini"), input);
    for (const char* name : {"Input.ini", "Output1.ini", "Output2.ini"})
        EXPECT_EQ(TimesCannotWrite(name), 1) << name;
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
    EXPECT_EQ((std::array{window.InputPictures().Visible(0), window.InputPictures().Visible(1),
                          window.OutputPictures().Visible(0), window.OutputPictures().Visible(1)}),
              (std::array{true, false, true, false}));
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

    // Each step reaches the window while it happens, all of them before the failure is told.
    std::vector<std::pair<std::string, std::size_t>> steps;
    window.Readback().OnStatusLine(
        [&](const std::string& line) { steps.emplace_back(line, host.Texts().size()); });
    const std::size_t toldBefore = host.Texts().size();
    sim.processor.SetFaults(sim::FaultInjector({{sim::FaultKind::kNoReply, 1.0}}, 1));
    window.OnConnectButton();
    EXPECT_FALSE(state.connected);
    EXPECT_EQ(steps, (std::vector<std::pair<std::string, std::size_t>>{
                         {"COM1Serial Opened successfully", toldBefore},
                         {"COM1Closed", toldBefore},
                         {"COM1Serial Closed", toldBefore}}));
    EXPECT_EQ(host.Texts().back(),
              "Connection fails: please make sure of  right connection of cables and correct "
              "serial name or IP address.");
}

TEST_F(MainWindowTest, ADraggedOutputPictureStaysInTheAreaAndIsStoredWhenTheDragEnds) {
    ASSERT_TRUE(StartConnected());
    window.OnLeftButtonDown(MainWindowLogic::Area::Output, {10, 60});  // on L
    window.OnMouseMove({-500, 40});
    window.OnLeftButtonUp({-500, 40});
    EXPECT_EQ(window.OutputPictures().Picture(1), (Rect{0, 30, 225, 70}));
    // Closing right after the drag keeps the place.
    host.Answer(true);
    ASSERT_TRUE(window.OnClose());
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "OutScreenData", "OutScreen2"), "0,30,225,70");
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "OutScreenData", "OutScreen1"), "0,0,225,40");
    Click(MainWindowLogic::Area::Output, {200, 200});  // empty space: deselects
    EXPECT_TRUE(window.OutputPictures().SelectedIndices().empty());
    window.OnLeftButtonDown(MainWindowLogic::Area::None, {0, 0});
    EXPECT_EQ(window.HandlesShownIn(), MainWindowLogic::Area::None);
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

// The demo's window never lets the operator take its processor for a real one.
TEST_F(MainWindowTest, ASimulatedProcessorIsNamedInTheTitleAndTheStatusLine) {
    state.simulated = true;
    ASSERT_TRUE(StartConnected());
    EXPECT_EQ(window.WindowTitle(), "HSQ2600 Software Controller(V1.00) — simulated processor");
    EXPECT_EQ(state.statusLine, "COM1Serial Opened successfully (simulated processor)");
}

// Three reply waits in a row without a reply: the window says the processor does not answer, and
// says so again once it answers; Disconnect works from there.
TEST_F(MainWindowTest, TheWindowShowsWhenTheProcessorStopsAndStartsAnswering) {
    ASSERT_TRUE(StartConnected());
    testing::FrameTap tap(sim.transport);
    sim.link.AttachTransport(&tap);
    tap.silence = [](const Frame&) { return true; };
    Frame reply{};
    for (int i = 0; i < DeviceLink::kSilentRun; ++i) sim.commands.Query(0, 0, reply);
    EXPECT_TRUE(window.OnClockTick());
    EXPECT_TRUE(state.processorSilent);
    EXPECT_EQ(state.statusLine,
              "The processor does not answer: check the line, or disconnect and connect again");
    EXPECT_FALSE(window.OnClockTick());
    tap.silence = nullptr;
    sim.commands.Query(0, 0, reply);
    EXPECT_TRUE(window.OnClockTick());
    EXPECT_EQ(state.statusLine, "The processor answers again");
    tap.silence = [](const Frame&) { return true; };
    for (int i = 0; i < DeviceLink::kSilentRun; ++i) sim.commands.Query(0, 0, reply);
    window.OnClockTick();
    window.OnConnectButton();
    EXPECT_FALSE(state.connected);
    EXPECT_FALSE(state.processorSilent);
}

TEST_F(MainWindowTest, OutputDoubleClickNeedsExactlyOnePictureAndSelectsTheBoard) {
    ASSERT_TRUE(StartConnected());
    window.OnLeftButtonDown(MainWindowLogic::Area::Output, {240, 220});
    window.OnLeftButtonUp({0, 0});
    ASSERT_EQ(window.OutputPictures().SelectedIndices().size(), 2u);
    window.OnDoubleClick(MainWindowLogic::Area::Output);
    EXPECT_TRUE(opener.opened.empty());

    testing::RecordingTransport wire(sim.clock);
    const Frame confirmation = BuildFrame(kDeviceAddress, 0x8D, {});
    wire.Answer({confirmation.begin(), confirmation.end()});
    sim.link.AttachTransport(&wire);
    Click(MainWindowLogic::Area::Output, {20, 60});  // L was selected already: both stay
    window.OnDoubleClick(MainWindowLogic::Area::Output);
    EXPECT_TRUE(opener.opened.empty());
    Click(MainWindowLogic::Area::Output, {240, 220});
    Click(MainWindowLogic::Area::Output, {20, 60});
    window.OnDoubleClick(MainWindowLogic::Area::Output);
    EXPECT_EQ(opener.opened, std::vector<DialogKind>{DialogKind::OutputBoard});
    EXPECT_EQ(state.selectedOutput, 1);
    ASSERT_EQ(wire.written.size(), 1u);  // nothing was sent for the refused double clicks
    EXPECT_EQ(std::vector<std::uint8_t>(wire.written[0].begin(), wire.written[0].begin() + 5),
              (std::vector<std::uint8_t>{0x86, 0x01, 0x8D, 1, 0}));

    // A selection the processor does not confirm, sent once more, opens nothing.
    window.OnDoubleClick(MainWindowLogic::Area::Output);
    EXPECT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(wire.written.size(), 3u);
    EXPECT_EQ(host.Texts().back(),
              "The processor did not answer step 1 of 1 (8D 01 00). Nothing was changed.");
}

// Each "[section]" of a file with its lines, as bytes.
std::map<std::string, std::string> SectionsOf(const std::string& text) {
    std::map<std::string, std::string> sections;
    std::string* section = nullptr;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with("[")) section = &sections[line.substr(0, line.find(']') + 1)];
        if (section != nullptr) *section += line + "\n";
    }
    return sections;
}

// M3 recalled from the display mode dialog, then K opened and closed, opened again for a mode
// copy to M6, and the program closed: only M3's and M6's sections took a layout.
TEST_F(MainWindowTest, TheOutputBoardSavesWindowsOnlyIntoTheModeTheyWereReadFor) {
    sim::ProcessorState processor;
    processor.outputs[0].modes[3].channels[1].output = {300, 1280, 8, 720};
    sim.processor.Restore(processor);
    ASSERT_TRUE(StartConnected());
    const auto before = SectionsOf(folder.Read("Output1.ini"));
    ModeGetLogic modes(state, store, sim.commands, host);
    modes.OnMode(4);
    modes.OnLoad();
    int opened = 0;
    opener.onOpen = [&](DialogKind) {
        OutputBoardLogic::Dialogs dialogs;
        dialogs.askModeName = [](const std::string& name) { return name; };
        OutputBoardLogic board(state, store, sim.commands, host, state.selectedOutput, dialogs);
        ASSERT_TRUE(board.Open());
        if (++opened == 2) board.OnModeCopy(5);
    };
    Click(MainWindowLogic::Area::Output, {20, 20});  // K
    window.OnDoubleClick(MainWindowLogic::Area::Output);
    window.OnDoubleClick(MainWindowLogic::Area::Output);
    host.Answer(true);
    ASSERT_TRUE(window.OnClose());
    const auto after = SectionsOf(folder.Read("Output1.ini"));
    for (int mode = 0; mode < kDisplayModeCount; ++mode) {
        const std::string name = "[Mode" + std::to_string(mode) + "]";
        if (mode != 3 && mode != 5) {
            EXPECT_EQ(after.at(name), before.at(name)) << name;
        }
    }
    EXPECT_EQ(Read(ConfigFileKind::Output, "BOARD", "Display_Mode", 1), "3");
    EXPECT_EQ(Read(ConfigFileKind::Output, "Mode5", "OutCH2_OutputMap_Size", 1), "1280,720,300,8");
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Do you want to exit?"});
}

TEST_F(MainWindowTest, InputDoubleClickReadsTheCardFirst) {
    ASSERT_TRUE(StartConnected());
    Click(MainWindowLogic::Area::Input, {20, 70});  // B
    window.OnDoubleClick(MainWindowLogic::Area::Input);
    EXPECT_EQ(opener.opened, std::vector<DialogKind>{DialogKind::InputCard});
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

TEST_F(MainWindowTest, TheDisplayModeDialogsOutcomeIsAdopted) {
    ASSERT_TRUE(StartConnected());
    opener.outcome.outputFormat = 0;
    opener.outcome.inAKout1 = 1;
    window.OnDisplayMode();
    EXPECT_EQ(state.system.resolution, (OutputResolution{0, 1024, 768}));
    EXPECT_EQ(state.system.inAKout1, 1);
}

TEST_F(MainWindowTest, TheClockHasTwoSpacesBetweenDateAndTime) {
    EXPECT_EQ(window.ClockText(), "2026-01-01  12:00:00");
    sim.clock.SleepMs(MainWindowLogic::kClockPeriodMs);
    EXPECT_EQ(window.ClockText(), "2026-01-01  12:00:02");
}

}  // namespace
}  // namespace hsq
