// The display mode dialog's logic against simulated processors, on virtual time.
#include "modes/mode_get_logic.h"

#include <gtest/gtest.h>

#include "commands/reply_decoders.h"
#include "config/ini_file.h"
#include "modes/mode_file.h"
#include "modes/mode_test_support.h"
#include "sim/sim_link.h"
#include "support/scripted_host.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

using sim::testing::CommandFrame;

constexpr std::string_view kModeDataFailure = "Failure to get mode data ！";

CardPresence Presence(const sim::CardSet& cards) { return {cards.inputs, cards.outputs}; }

// Each section's name and its key lines, in file order.
using Sections = std::vector<std::pair<std::string, std::vector<std::string>>>;
Sections SectionsOf(const std::string& text) {
    Sections sections;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::erase(line, '\r');
        if (line.starts_with('['))
            sections.push_back({line.substr(1, line.size() - 2), {}});
        else if (!line.empty() && !sections.empty())
            sections.back().second.push_back(line);
    }
    return sections;
}

std::size_t ValueCount(const std::string& keyLine) {
    return static_cast<std::size_t>(std::count(keyLine.begin(), keyLine.end(), ',')) + 1;
}

class ModeGetTest : public ::testing::Test {
  protected:
    ModeGetTest() {
        sim.link.AttachTransport(&tap);
        state.language = kEnglish;
        state.connected = true;
        HoldOnly(sim::CardSet{});
    }

    // The processor holds these cards, and the main window knows it.
    void HoldOnly(const sim::CardSet& cards) {
        sim.processor.Restore(sim::ProcessorState(cards));
        state.presence = Presence(cards);
    }
    ModeGetLogic Logic() { return ModeGetLogic(state, sim.commands, host); }
    std::string PathOf(std::string_view name) const { return (folder / name).string(); }

    testing::TempFolder folder;
    sim::testing::SimLink sim;
    testing::FrameTap tap{sim.transport};
    MainWindowState state;
    testing::ScriptedHost host;
};

struct LoadCase {
    const char* name;
    bool connected;
    int button;  // 0: none chosen
    std::string_view message;
    friend void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }
};

class Load : public ModeGetTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(Load, RecallsTheChosenModeOrSaysWhyNot) {
    const LoadCase& c = GetParam();
    state.connected = c.connected;
    ModeGetLogic logic = Logic();
    if (c.button != 0) logic.OnMode(c.button);
    logic.OnLoad();
    if (c.message.empty()) {
        EXPECT_TRUE(host.boxes.empty());
        const auto mode = static_cast<std::uint8_t>(c.button - 1);
        EXPECT_EQ(tap.frames, std::vector<Frame>{CommandFrame(0x8E, {mode, 1})});
        EXPECT_EQ(sim.clock.Pauses(), (std::vector<int>{200, 500, 200}));
    } else {
        ASSERT_EQ(host.boxes.size(), 1u);
        EXPECT_EQ(host.boxes[0].caption, "System information");
        EXPECT_EQ(host.boxes[0].text, c.message);
        EXPECT_TRUE(tap.frames.empty());
        EXPECT_EQ(host.workersRun, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Load,
    ::testing::Values(LoadCase{"NotConnected", false, 3, "Please Open the connection"},
                      LoadCase{"NothingChosen", true, 0, "Please select the mode you want to get"},
                      LoadCase{"M3", true, 3, ""}, LoadCase{"M16", true, 16, ""}),
    [](const auto& info) { return std::string(info.param.name); });

// Input cards A and B: setup, first window, 100 ms, second window, 100 ms. Then each mode of
// card K: system, board, mode, then each channel's crop and output window, 200 ms after each.
std::vector<Frame> ExportRequestsOfABAndK() {
    std::vector<Frame> frames;
    const auto ask = [&](std::uint8_t selector, int argument) {
        frames.push_back(CommandFrame(0xFE, {selector, static_cast<std::uint8_t>(argument)}));
    };
    for (int card = 0; card < 2; ++card) {
        for (std::uint8_t selector : {16, 17, 18}) ask(selector, card);
    }
    for (int mode = 0; mode < 16; ++mode) {
        ask(15, 0);
        ask(19, 0);
        ask(20, mode * 16);
        for (int channel = 0; channel < 4; ++channel) {
            ask(21, mode * 16 + channel * 4);
            ask(22, mode * 16 + channel * 4);
        }
    }
    return frames;
}

TEST_F(ModeGetTest, ExportOfCardsABAndKWritesTheirKeysAloneAndReplacesTheFile) {
    HoldOnly(*sim::ParseCardList("A,B,K"));
    folder.Write("mode.ini", "[Mode3]\r\nOutB1=1,2\r\n[Notes]\r\nx=1\r\n");
    host.AnswerFile(PathOf("mode.ini"));
    Logic().OnExport();

    ASSERT_EQ(host.fileQuestions.size(), 1u);
    EXPECT_TRUE(host.fileQuestions[0].save);
    EXPECT_EQ(host.fileQuestions[0].caption, "Export");
    EXPECT_EQ(host.fileQuestions[0].proposedName, "mode.ini");
    EXPECT_EQ(host.fileQuestions[0].filters, "INI Files (*.ini);;All Files (*.*)");
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(tap.frames, ExportRequestsOfABAndK());
    EXPECT_EQ(sim.clock.ElapsedMs(), 2 * (3 * 200 + 200) + 16 * (11 * 200 + 8 * 200));

    const Sections sections = SectionsOf(folder.Read("mode.ini"));
    ASSERT_EQ(sections.size(), 3u + 16u);
    EXPECT_EQ(sections[0].first, "BOARD");
    EXPECT_EQ(sections[0].second,
              (std::vector<std::string>{"InBoard=0,1", "OutBoard=0", "Format=6", "InAKout1=0"}));
    EXPECT_EQ(sections[1].first, "OutConfigData");
    EXPECT_EQ(sections[1].second, (std::vector<std::string>{"OutBoard0Data=0", "Clock0Data=0"}));
    EXPECT_EQ(sections[2].first, "INBOARD");
    // Setup bytes, then width, height, x, y of the main and the second window.
    EXPECT_EQ(sections[2].second, (std::vector<std::string>{"InB0=0,0,0,1920,1080,0,0,640,360,16,16",
                                                           "InB1=0,0,0,1920,1080,0,0,640,360,16,16"}));
    for (int mode = 0; mode < 16; ++mode) {
        const auto& [name, keys] = sections[3 + mode];
        EXPECT_EQ(name, "Mode" + std::to_string(mode));
        ASSERT_EQ(keys.size(), 1u) << name;
        EXPECT_TRUE(keys[0].starts_with("OutB0=")) << name;
        EXPECT_EQ(ValueCount(keys[0]), 42u) << name;
    }

    const int steps = 2 * 3 + 16 * 11;
    EXPECT_EQ(host.progress.front(), (std::pair<int, int>{0, steps}));
    EXPECT_EQ(host.progress.back(), (std::pair<int, int>{steps, steps}));
    EXPECT_EQ(host.secondsLeft.front(), 63);  // 62.4 s at the processor's pace
    EXPECT_EQ(host.secondsLeft.back(), 0);
}

// A value the processor did not give never lands in the file.
TEST_F(ModeGetTest, AnExportMissingAReplyLeavesTheFileAsItWas) {
    const std::string before = "[BOARD]\r\nInBoard=0\r\n";
    folder.Write("mode.ini", before);
    tap.silence = [](const Frame& f) { return f[2] == 0xFE && f[3] == 21 && f[4] == 0x59; };
    host.AnswerFile(PathOf("mode.ini"));
    host.Answer(false);
    Logic().OnExport();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, "System information");
    EXPECT_EQ(host.boxes[0].text, kModeDataFailure);
    EXPECT_TRUE(host.boxes[0].question);
    EXPECT_EQ(folder.Read("mode.ini"), before);
}

TEST_F(ModeGetTest, AnExportToAFolderThatIsNotThereSaysSo) {
    const std::string path = PathOf("gone/mode.ini");
    host.AnswerFile(path);
    state.language = kChinese;
    Logic().OnExport();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, "系统信息");
    EXPECT_EQ(host.boxes[0].text, "无法写入模式文件：" + path);
}

TEST_F(ModeGetTest, ExportAndImportDoNothingWhileDisconnected) {
    state.connected = false;
    ModeGetLogic logic = Logic();
    logic.OnExport();
    logic.OnImport();
    EXPECT_TRUE(host.fileQuestions.empty());
    EXPECT_TRUE(tap.frames.empty());
}

class ImportTest : public ModeGetTest {
  protected:
    ImportTest() { EXPECT_TRUE(WriteModeFile(folder / "mode.ini", testing::SampleBank())); }
    std::string Value(const std::string& section, const std::string& key) const {
        return ReadIniValue(folder / "mode.ini", section, key).value_or("");
    }
};

struct ImportCase {
    const char* name;
    std::string inBoard;   // the cards the file lists
    std::string outBoard;
    std::string present;   // the cards the processor holds
    std::vector<int> inputsSent;
    std::vector<int> outputsSent;
    friend void PrintTo(const ImportCase& c, std::ostream* os) { *os << c.name; }
};

// Codes and card bytes of what an import of the given cards sends.
std::vector<std::pair<int, int>> ImportOf(const ImportCase& c) {
    std::vector<std::pair<int, int>> sent{{0xA4, 0}, {0xA5, 3}};
    for (int card : c.inputsSent) {
        for (int code : {0xA6, 0xA7, 0xA8}) sent.emplace_back(code, card);
    }
    for (int card : c.outputsSent) {
        sent.emplace_back(0xA9, card);
        for (int mode = 0; mode < 16; ++mode) {
            for (int channel = 0; channel < 4; ++channel) {
                sent.emplace_back(0xAF, mode * 16 + channel * 4 + card);
                sent.emplace_back(0xAE, mode * 16 + channel * 4 + card);
            }
            sent.emplace_back(0xAC, card);
        }
    }
    sent.emplace_back(0xB0, 0);
    return sent;
}

class Import : public ImportTest, public ::testing::WithParamInterface<ImportCase> {};

TEST_P(Import, SendsTheCardsBothListedAndPresentAndHandsBackTheSystemValues) {
    const ImportCase& c = GetParam();
    ASSERT_TRUE(WriteIniValues(folder / "mode.ini", std::vector<IniEdit>{{"BOARD", "InBoard", c.inBoard},
                                                                         {"BOARD", "OutBoard", c.outBoard}})
                    .written);
    HoldOnly(*sim::ParseCardList(c.present));
    host.AnswerFile(PathOf("mode.ini"));
    ModeGetLogic logic = Logic();
    logic.OnImport();

    EXPECT_TRUE(host.boxes.empty());
    ASSERT_EQ(host.fileQuestions.size(), 1u);
    EXPECT_FALSE(host.fileQuestions[0].save);
    EXPECT_EQ(host.fileQuestions[0].caption, "Import");
    EXPECT_EQ(host.fileQuestions[0].filters, "INI Files (*.ini);;All Files (*.*)");
    std::vector<std::pair<int, int>> sent;
    for (const Frame& frame : tap.frames) sent.emplace_back(frame[2], frame[3]);
    EXPECT_EQ(sent, ImportOf(c));
    // 200 ms after each frame; 50 ms after all but the second input window of a card.
    const int floorMs = 2 * 200 + int(c.inputsSent.size()) * (3 * 200 + 100) +
                        int(c.outputsSent.size()) * (250 + 16 * (9 * 200 + 9 * 50)) + 200;
    EXPECT_EQ(sim.clock.ElapsedMs(), floorMs);
    EXPECT_EQ(host.progress.back(), (std::pair<int, int>{int(sent.size()), int(sent.size())}));
    EXPECT_EQ(host.secondsLeft.front(), (floorMs + 999) / 1000);

    const DialogOutcome outcome = logic.Outcome();
    EXPECT_EQ(outcome.outputFormat, 3);
    EXPECT_EQ(outcome.inAKout1, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Import,
    ::testing::Values(ImportCase{"CardLAbsent", "0,1,2", "0,1", "A,C,D,K", {0, 2}, {0}},
                      ImportCase{"CardKNotListed", "0,1,2,3", "1", "A,B,C,D,K,L", {0, 1, 2, 3}, {1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImportTest, AWindowGoesOutAsXWidthYHeightHighByteFirst) {
    host.AnswerFile(PathOf("mode.ini"));
    Logic().OnImport();
    // Mode 2, channel 1, card 0: x 300, width 1280, y 8, height 720.
    const Frame crop = CommandFrame(0xAF, {36, 1, 44, 5, 0, 0, 8, 2, 208});
    EXPECT_NE(std::find(tap.frames.begin(), tap.frames.end(), crop), tap.frames.end());
}

TEST_F(ImportTest, AClosingCommandWithoutReplyIsReported) {
    tap.silence = [](const Frame& f) { return f[2] == 0xB0; };
    host.AnswerFile(PathOf("mode.ini"));
    ModeGetLogic logic = Logic();
    logic.OnImport();
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Import data failed"});
    EXPECT_EQ(logic.Outcome().outputFormat, 3);
}

struct BadFile {
    const char* name;
    std::string section;
    std::string key;
    // The value written instead of the good one.
    std::function<std::string(const std::string&)> value;
    friend void PrintTo(const BadFile& c, std::ostream* os) { *os << c.name; }
};

std::function<std::string(const std::string&)> Is(std::string bad) {
    return [bad](const std::string&) { return bad; };
}
std::string WithoutLastValue(const std::string& list) { return list.substr(0, list.rfind(',')); }
std::function<std::string(const std::string&)> LastValueIs(std::string last) {
    return [last](const std::string& list) { return WithoutLastValue(list) + "," + last; };
}
// Leading zeros push the last value across the read's 255 characters, which would cut "360"
// to "3".
std::string LastValueCut(const std::string& list) {
    const std::string head = WithoutLastValue(list) + ",";
    return head + std::string(254 - head.size(), '0') + "360";
}

class ImportOfABadFile : public ImportTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(ImportOfABadFile, IsRefusedAndSendsNothing) {
    const BadFile& c = GetParam();
    const std::string bad = c.value(Value(c.section, c.key));
    ASSERT_TRUE(WriteIniValues(folder / "mode.ini", std::vector<IniEdit>{{c.section, c.key, bad}})
                    .written);
    host.AnswerFile(PathOf("mode.ini"));
    host.Answer(true);
    state.language = kChinese;
    ModeGetLogic logic = Logic();
    logic.OnImport();

    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].caption, "系统消息");
    EXPECT_EQ(host.boxes[0].text, "未能正确获取模式数据！");
    EXPECT_TRUE(host.boxes[0].question);
    EXPECT_EQ(host.workersRun, 0);
    EXPECT_TRUE(tap.frames.empty());
    EXPECT_EQ(logic.Outcome().outputFormat, -1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportOfABadFile,
    ::testing::Values(BadFile{"NoOutputCard", "BOARD", "OutBoard", Is("")},
                      BadFile{"NoInputCard", "BOARD", "InBoard", Is("")},
                      BadFile{"InputCardE", "BOARD", "InBoard", Is("0,4")},
                      BadFile{"InputCardMinusOne", "BOARD", "InBoard", Is("-1,0")},
                      BadFile{"OutputCardM", "BOARD", "OutBoard", Is("2")},
                      BadFile{"UnknownFormat", "BOARD", "Format", Is("5")},
                      BadFile{"ClockSourceNotAFlag", "BOARD", "InAKout1", Is("2")},
                      BadFile{"BoardByteOver255", "OutConfigData", "OutBoard1Data", Is("256")},
                      BadFile{"ClockByteNotANumber", "OutConfigData", "Clock0Data", Is("3x")},
                      BadFile{"InputCardShort", "INBOARD", "InB2", WithoutLastValue},
                      BadFile{"WindowOver65535", "INBOARD", "InB0", LastValueIs("65536")},
                      BadFile{"NegativeWindow", "INBOARD", "InB3", LastValueIs("-1")},
                      BadFile{"ValueCutByTheRead", "INBOARD", "InB1", LastValueCut},
                      BadFile{"ModeShort", "Mode15", "OutB1", WithoutLastValue},
                      BadFile{"ModeMissing", "Mode9", "OutB0", Is("")},
                      BadFile{"EmptyValueInList", "Mode4", "OutB0", LastValueIs("")},
                      BadFile{"OnOffNotAFlag", "Mode4", "OutB1", LastValueIs("2")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImportTest, NoFileChosenIsAFailureToo) {
    host.AnswerFile("");
    host.Answer(false);
    Logic().OnImport();
    EXPECT_EQ(host.Texts(), std::vector<std::string>{std::string(kModeDataFailure)});
    EXPECT_TRUE(tap.frames.empty());
}

// Different windows, ports, flags and carried bytes everywhere, as the processor reports them.
sim::ProcessorState Scrambled() {
    sim::ProcessorState state;
    state.outputFormat = 2;
    state.matrixReference = 1;
    for (int i = 0; i < sim::kInputCards; ++i) {
        const auto n = static_cast<std::uint16_t>(i);
        state.inputs[i].setup = {static_cast<std::uint8_t>(i + 9), static_cast<std::uint8_t>(40 * i),
                                 static_cast<std::uint8_t>(255 - i)};
        state.inputs[i].mainWindow = {static_cast<std::uint16_t>(8000 + n), 1920, n, 1080};
        state.inputs[i].pipWindow = {n, static_cast<std::uint16_t>(700 + n), 33, 400};
    }
    for (int b = 0; b < sim::kOutputBoards; ++b) {
        sim::OutputBoardState& board = state.outputs[b];
        board.boardByte = static_cast<std::uint8_t>(0x81 + b);
        board.clockByte = static_cast<std::uint8_t>(0x20 * b + 5);
        for (int m = 0; m < sim::kModes; ++m) {
            board.modes[m].byteA = static_cast<std::uint8_t>(13 * m + b);
            for (int k = 0; k < sim::kChannels; ++k) {
                const auto v = static_cast<std::uint16_t>(100 * m + 10 * k + b);
                board.modes[m].channels[k] = {static_cast<std::uint8_t>((m + 3 * k + b) % 4),
                                              (m * k + b) % 2 == 0,
                                              {v, static_cast<std::uint16_t>(16383 - v), 4095, v},
                                              {static_cast<std::uint16_t>(v + 1), 960, v, 540}};
            }
        }
    }
    return state;
}

TEST_F(ModeGetTest, ExportThenImportMakesASecondProcessorEqualFieldByField) {
    const sim::ProcessorState source = Scrambled();
    sim.processor.Restore(source);
    host.AnswerFile(PathOf("mode.ini"));
    Logic().OnExport();
    ASSERT_TRUE(host.boxes.empty());

    sim::testing::SimLink other;
    host.AnswerFile(PathOf("mode.ini"));
    ModeGetLogic importer(state, other.commands, host);
    importer.OnImport();
    ASSERT_TRUE(host.boxes.empty());

    const sim::ProcessorState copy = other.processor.Snapshot();
    EXPECT_EQ(copy.outputFormat, source.outputFormat);
    EXPECT_EQ(copy.matrixReference, source.matrixReference);
    for (int i = 0; i < sim::kInputCards; ++i) EXPECT_EQ(copy.inputs[i], source.inputs[i]) << i;
    for (int b = 0; b < sim::kOutputBoards; ++b) {
        EXPECT_EQ(copy.outputs[b].boardByte, source.outputs[b].boardByte) << b;
        EXPECT_EQ(copy.outputs[b].clockByte, source.outputs[b].clockByte) << b;
        for (int m = 0; m < sim::kModes; ++m)
            EXPECT_EQ(copy.outputs[b].modes[m], source.outputs[b].modes[m]) << b << " " << m;
    }
    EXPECT_TRUE(copy == source);
}

}  // namespace
}  // namespace hsq
