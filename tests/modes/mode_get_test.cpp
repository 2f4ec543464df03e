// The display mode dialog's logic against simulated processors on virtual time, and the mode
// file it writes and reads.
#include "modes/mode_get_logic.h"

#include "app/readback_fixture.h"
#include "config/ini_file.h"
#include "config/text_encoding.h"
#include "modes/mode_file.h"
#include "modes/mode_test_support.h"

namespace hsq {
namespace {

using sim::testing::CommandFrame;
using Lines = std::vector<std::string>;
using Frames = std::vector<Frame>;

// The file's lines without their line ends, blank ones left out.
Lines LinesOf(const std::string& text) {
    Lines lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        std::erase(line, '\r');
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

class ModeGetTest : public testing::ReadbackFixture {
  protected:
    ModeGetTest() {
        sim.link.AttachTransport(&tap);
        state.connected = true;
        HoldOnly(sim::CardSet{});
    }

    // The processor holds these cards, and the main window knows it.
    void HoldOnly(const sim::CardSet& cards) {
        sim.processor.Restore(sim::ProcessorState(cards));
        state.presence = {cards.inputs, cards.outputs};
    }
    ModeGetLogic Logic() { return ModeGetLogic(state, store, sim.commands, host); }
    std::string PathOf(std::string_view name) const { return (folder / name).string(); }
    Lines Shown() const { return host.Shown(); }
    Lines Asked() const {
        Lines asked;
        for (const auto& q : host.fileQuestions)
            asked.push_back((q.save ? "save " : "open ") + q.caption + " " + q.proposedName + "|" +
                            q.filters);
        return asked;
    }

    testing::FrameTap tap{sim.transport};
    testing::ScriptedHost host;
};

// Refused, a recall sends nothing and says why; unconfirmed, it is sent once more and the
// operator is told.
TEST_F(ModeGetTest, LoadRecallsTheChosenModeOrSaysWhyNot) {
    struct Case {
        const char* name;
        bool connected, answered;
        int button;  // 0: none chosen
        Frames sent;
        std::string message;
    };
    const Case cases[] = {
        {"not connected", false, true, 3, {}, "Please Open the connection"},
        {"nothing chosen", true, true, 0, {}, "Please select the mode you want to get"},
        {"M3", true, true, 3, {CommandFrame(0x8E, {2, 1})}, ""},
        {"M2 unconfirmed", true, false, 2, Frames(2, CommandFrame(0x8E, {1, 1})),
         "The processor did not confirm; nothing was changed."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tap.frames.clear();
        host.boxes.clear();
        sim.clock.ClearPauses();
        const int workers = host.workersRun;
        state.connected = c.connected;
        tap.silence = [&c](const Frame&) { return !c.answered; };
        ModeGetLogic logic = Logic();
        if (c.button != 0) logic.OnMode(c.button);
        logic.OnLoad();
        if (!c.connected) {  // nothing else goes out either
            logic.OnExport();
            logic.OnImport();
        }
        EXPECT_TRUE(host.fileQuestions.empty());
        EXPECT_EQ(Shown(), c.message.empty() ? Lines{} : Lines{"System information: " + c.message});
        EXPECT_EQ(tap.frames, c.sent);
        EXPECT_EQ(host.workersRun - workers, c.sent.empty() ? 0 : 1);
        if (c.message.empty()) {
            EXPECT_EQ(sim.clock.Pauses(), (std::vector<int>{200, 500, 200}));
        }
    }
}

// Input cards A and B: setup, first window, 100 ms, second window, 100 ms. Then each mode of
// card K: system, board, mode, then each channel's crop and output window, 200 ms after each.
std::vector<Frame> ExportRequestsOfABAndK() {
    std::vector<Frame> frames;
    const auto ask = [&](std::uint8_t selector, int argument) {
        frames.push_back(CommandFrame(0xFE, {selector, static_cast<std::uint8_t>(argument)}));
    };
    for (int card = 0; card < 2; ++card)
        for (std::uint8_t selector : {16, 17, 18}) ask(selector, card);
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

    EXPECT_EQ(Asked(), Lines{"save Export mode.ini|INI Files (*.ini);;All Files (*.*)"});
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(tap.frames, ExportRequestsOfABAndK());
    EXPECT_EQ(sim.clock.ElapsedMs(), 2 * (3 * 200 + 200) + 16 * (11 * 200 + 8 * 200));

    // Input setup bytes, then width, height, x, y of the main and the second window.
    const Lines head{"[BOARD]", "InBoard=0,1", "OutBoard=0", "Format=6", "InAKout1=0",
                     "[OutConfigData]", "OutBoard0Data=0", "Clock0Data=0",
                     "[INBOARD]", "InB0=0,0,0,1920,1080,0,0,640,360,16,16",
                     "InB1=0,0,0,1920,1080,0,0,640,360,16,16"};
    const Lines lines = LinesOf(folder.Read("mode.ini"));
    ASSERT_EQ(lines.size(), head.size() + 2 * 16);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + head.size()), head);
    for (int mode = 0; mode < 16; ++mode) {
        const std::string& key = lines[head.size() + 2 * mode + 1];
        EXPECT_EQ(lines[head.size() + 2 * mode], "[Mode" + std::to_string(mode) + "]");
        EXPECT_TRUE(key.starts_with("OutB0=")) << key;
        EXPECT_EQ(std::count(key.begin(), key.end(), ','), 41) << key;
    }

    const int steps = 2 * 3 + 16 * 11;
    EXPECT_EQ(host.progress.front(), (std::pair<int, int>{0, steps}));
    EXPECT_EQ(host.progress.back(), (std::pair<int, int>{steps, steps}));
    EXPECT_EQ(host.secondsLeft.front(), 63);  // 62.4 s at the processor's pace
    EXPECT_EQ(host.secondsLeft.back(), 0);
}

// Nothing is asked of the processor for a file that cannot be written, and a value the
// processor did not give never lands in the file.
TEST_F(ModeGetTest, AFailedExportSaysSoAndLeavesTheFileAsItWas) {
    host.AnswerFile(PathOf("gone/mode.ini"));
    state.language = kChinese;
    Logic().OnExport();
    EXPECT_EQ(Shown(), Lines{"系统信息: 无法写入模式文件：" + PathOf("gone/mode.ini")});
    EXPECT_TRUE(tap.frames.empty());

    // A request left unanswered is sent once more, then the export stops there and says which.
    host.boxes.clear();
    folder.Write("mode.ini", "[BOARD]\r\nInBoard=0\r\n");
    const Frame unanswered = CommandFrame(0xFE, {21, 0x59});  // card L, M6, CH3 crop
    tap.silence = [&](const Frame& f) { return f == unanswered; };
    host.AnswerFile(PathOf("mode.ini"));
    state.language = kEnglish;
    Logic().OnExport();
    EXPECT_EQ(Shown(), Lines{"System information: The processor did not answer step 251 of 364 "
                             "(FE 15 59). No file was written."});
    ASSERT_GE(tap.frames.size(), 2u);
    EXPECT_EQ(Frames(tap.frames.end() - 2, tap.frames.end()), Frames(2, unanswered));
    EXPECT_EQ(folder.Read("mode.ini"), "[BOARD]\r\nInBoard=0\r\n");
}

class ImportTest : public ModeGetTest {
  protected:
    ImportTest() { EXPECT_TRUE(WriteModeFile(folder / "mode.ini", testing::SampleBank())); }
    void Change(const std::vector<IniEdit>& edits) {
        ASSERT_TRUE(WriteIniValues(folder / "mode.ini", edits).written);
    }
};

struct ImportCase {
    const char* name;
    std::string inBoard;  // the cards the file lists
    std::string outBoard;
    std::string present;  // the cards the processor holds
    std::vector<int> inputsSent;
    std::vector<int> outputsSent;
    friend void PrintTo(const ImportCase& c, std::ostream* os) { *os << c.name; }
};

// Codes and card bytes of what an import of the given cards sends.
std::vector<std::pair<int, int>> ImportOf(const ImportCase& c) {
    std::vector<std::pair<int, int>> sent{{0xA4, 0}, {0xA5, 3}};
    for (int card : c.inputsSent)
        for (int code : {0xA6, 0xA7, 0xA8}) sent.emplace_back(code, card);
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
    Change({{"BOARD", "InBoard", c.inBoard}, {"BOARD", "OutBoard", c.outBoard}});
    HoldOnly(*sim::ParseCardList(c.present));
    host.AnswerFile(PathOf("mode.ini"));
    ModeGetLogic logic = Logic();
    logic.OnImport();

    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(Asked(), Lines{"open Import |INI Files (*.ini);;All Files (*.*)"});
    std::vector<std::pair<int, int>> sent;
    for (const Frame& frame : tap.frames) sent.emplace_back(frame[2], frame[3]);
    EXPECT_EQ(sent, ImportOf(c));
    if (c.outputsSent.front() == 0) {
        // Mode 2, channel 1, card 0: x 300, width 1280, y 8, height 720, high byte first.
        const Frame crop = CommandFrame(0xAF, {36, 1, 44, 5, 0, 0, 8, 2, 208});
        EXPECT_NE(std::find(tap.frames.begin(), tap.frames.end(), crop), tap.frames.end());
    }
    // 200 ms after each frame; 50 ms after all but the second input window of a card.
    const int floorMs = 2 * 200 + int(c.inputsSent.size()) * (3 * 200 + 100) +
                        int(c.outputsSent.size()) * (250 + 16 * (9 * 200 + 9 * 50)) + 200;
    EXPECT_EQ(sim.clock.ElapsedMs(), floorMs);
    EXPECT_EQ(host.progress.back(), (std::pair<int, int>{int(sent.size()), int(sent.size())}));
    EXPECT_EQ(host.secondsLeft.front(), (floorMs + 999) / 1000);
    EXPECT_EQ(logic.Outcome().outputFormat, 3);
    EXPECT_EQ(logic.Outcome().inAKout1, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Import,
    ::testing::Values(ImportCase{"CardLAbsent", "0,1,2", "0,1", "A,C,D,K", {0, 2}, {0}},
                      ImportCase{"CardKNotListed", "0,1,2,3", "1", "A,B,C,D,K,L", {0, 1, 2, 3}, {1}}),
    [](const auto& info) { return std::string(info.param.name); });

// Every import command is a confirmed one: one lost on the way, sent once more, fails the import
// where it was lost, and the main window keeps its output format and clock source. The import's
// end goes once: a second one would come outside the import.
TEST_F(ImportTest, ACommandWithoutReplyStopsTheImportAndSaysThePartHeld) {
    for (const auto& [lost, step] : {std::pair{0xAC, "step 24 of 305 (AC 00 00)"},
                                     std::pair{0xB0, "step 305 of 305 (B0 00 00)"}}) {
        tap.frames.clear();
        host.boxes.clear();
        tap.silence = [lost](const Frame& f) { return f[2] == lost; };
        host.AnswerFile(PathOf("mode.ini"));
        ModeGetLogic logic = Logic();
        logic.OnImport();
        EXPECT_EQ(Shown(), Lines{"System information: Import data failed\nThe processor did not "
                                 "answer " + std::string(step) +
                                 ". The processor holds part of the file."});
        EXPECT_EQ(tap.frames.back()[2], lost);
        EXPECT_EQ(tap.frames.end()[-2][2] == lost, lost != 0xB0);
        EXPECT_EQ(logic.Outcome().outputFormat, -1);
    }
}

using Spoil = std::function<std::string(const std::string&)>;
struct BadFile {
    const char* name;
    std::string section;
    std::string key;
    Spoil value;  // the value written instead of the good one; none: no file chosen
    friend void PrintTo(const BadFile& c, std::ostream* os) { *os << c.name; }
};

Spoil Is(std::string bad) {
    return [bad](const std::string&) { return bad; };
}
std::string WithoutLastValue(const std::string& list) { return list.substr(0, list.rfind(',')); }
Spoil LastValueIs(std::string last) {
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
    if (c.value) {
        const auto good = ReadIniValue(folder / "mode.ini", c.section, c.key).value_or("");
        Change({{c.section, c.key, c.value(good)}});
    }
    host.AnswerFile(c.value ? PathOf("mode.ini") : "");
    host.Answer(true);
    state.language = kChinese;
    ModeGetLogic logic = Logic();
    logic.OnImport();

    EXPECT_EQ(Shown(), Lines{"系统消息: 未能正确获取模式数据！ ?"});
    EXPECT_EQ(host.workersRun, 0);
    EXPECT_TRUE(tap.frames.empty());
    EXPECT_EQ(logic.Outcome().outputFormat, -1);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImportOfABadFile,
    ::testing::Values(BadFile{"NoFileChosen", "", "", nullptr},
                      BadFile{"InputCardE", "BOARD", "InBoard", Is("0,4")},
                      BadFile{"OutputCardM", "BOARD", "OutBoard", Is("2")},
                      BadFile{"FormatOver255", "BOARD", "Format", Is("256")},
                      BadFile{"ClockByteNotANumber", "OutConfigData", "Clock0Data", Is("3x")},
                      BadFile{"InputCardShort", "INBOARD", "InB2", WithoutLastValue},
                      BadFile{"WindowOver65535", "INBOARD", "InB0", LastValueIs("65536")},
                      BadFile{"ValueCutByTheRead", "INBOARD", "InB1", LastValueCut},
                      BadFile{"EmptyValueInList", "Mode4", "OutB0", LastValueIs("")},
                      BadFile{"OnOffNotAFlag", "Mode4", "OutB1", LastValueIs("2")}),
    [](const auto& info) { return std::string(info.param.name); });

// Whatever an export writes reads back: a processor's own format and clock bytes, and a
// processor without input cards. A file that lists no card at all is refused.
TEST_F(ImportTest, EveryFileAnExportWritesReadsBack) {
    ModeBank bank = testing::SampleBank();
    bank.outputFormat = 5;
    bank.clockSource = 2;
    bank.inputListed = {};
    bank.inputs = {};
    ASSERT_TRUE(WriteModeFile(folder / "mode.ini", bank));
    EXPECT_EQ(ReadIniValue(folder / "mode.ini", "BOARD", "InBoard"), "");
    EXPECT_EQ(ReadModeFile(folder / "mode.ini"), bank);

    bank.outputListed = {};
    ASSERT_TRUE(WriteModeFile(folder / "mode.ini", bank));
    EXPECT_EQ(ReadModeFile(folder / "mode.ini"), std::nullopt);
}

// The file goes from one processor to a second one, also in the original program's form: lines
// ending in LF alone, Chinese in GBK.
TEST_F(ImportTest, ImportThenExportThenImportMakesASecondProcessorEqual) {
    host.AnswerFile(PathOf("mode.ini"));
    Logic().OnImport();
    host.AnswerFile(PathOf("back.ini"));
    Logic().OnExport();
    std::string written = folder.Read("back.ini");
    ASSERT_NE(written.find("\r\n"), std::string::npos);
    // Byte B comes back as the top bits of the first channel's port byte, all an import sends.
    ModeBank expected = testing::SampleBank();
    for (auto& cards : expected.modes)
        for (BankMode& mode : cards) mode.byteB = mode.channels[0].inputPort >> 5;
    EXPECT_EQ(ReadModeFile(folder / "back.ini"), expected);

    std::erase(written, '\r');
    const auto note = Utf8ToGbk(";显示模式文件\n[说明]\n备注=大屏，模式一\n");
    ASSERT_TRUE(note.has_value());
    folder.Write("back.ini", *note + written);
    ASSERT_EQ(DetectEncoding(folder.Read("back.ini")), TextEncoding::Gbk);
    sim::testing::SimLink other;
    host.AnswerFile(PathOf("back.ini"));
    ModeGetLogic(state, store, other.commands, host).OnImport();
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_TRUE(other.processor.Snapshot() == sim.processor.Snapshot());
}

}  // namespace
}  // namespace hsq
