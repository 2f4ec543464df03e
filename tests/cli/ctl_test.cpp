// hsq2600ctl run in this process on virtual time: against its own simulated processor, and
// against one served on a pseudo-terminal that the test can look into.
#include "cli/ctl_program.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <sstream>
#include <thread>

#include "link/pty_pair.h"
#include "modes/mode_get_logic.h"
#include "modes/mode_test_support.h"
#include "modes/mode_file.h"
#include "sim/pty_server.h"
#include "sim/sim_link.h"
#include "support/scripted_host.h"
#include "support/temp_folder.h"

namespace hsq::cli {
namespace {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class CtlTest : public ::testing::Test {
  protected:
    Outcome Ctl(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "hsq2600ctl");
        std::ostringstream out, err;
        const std::string runtime = folder.path().string();
        const CtlEnvironment environment{nullptr, runtime.c_str()};
        const int status = RunCtl(arguments, clock, out, err, environment);
        return {status, out.str(), err.str()};
    }

    VirtualClock clock;
    testing::TempFolder folder;
};

struct UsageCase {
    std::vector<std::string> arguments;
    int status;
    std::string said;  // found in standard output for 0, in standard error otherwise
};

TEST_F(CtlTest, AnswersHelpAndVersionAndRefusesAWrongCommandLineWithStatus2) {
    const std::vector<UsageCase> cases{
        {{"--help"}, kExitDone, "Subcommands:"},
        {{"export", "--help"}, kExitDone, "FILE TEXT REQUIRED"},
        {{"--version"}, kExitDone, "hsq2600ctl 0.1.0"},
        {{}, kExitUsage, "A subcommand is required"},
        {{"--sim", "recal", "K", "3"}, kExitUsage, "hsq2600ctl --help lists the commands"},
        {{"status", "--sim"}, kExitUsage, "not expected: --sim"},
        {{"--serial", "ttyUSB0", "--tcp", "127.0.0.1", "status"}, kExitUsage, "excludes"},
        {{"--sim", "raw", "300"}, kExitUsage, "300 is not a byte"},
        {{"--sim", "raw", "0x80", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
         kExitUsage, "at most nine data bytes"},
        {{"--sim", "import", "/nonexistent/mode.ini"}, kExitUsage, "File does not exist"},
        {{"--sim", "recall", "A", "3"}, kExitUsage, "A is not an output card (K or L)"},
        {{"--sim", "recall", "K", "17"}, kExitUsage, "mode 17 is not 1 .. 16"},
        {{"--sim", "source", "A", "hdmi"}, kExitUsage, "signal hdmi is not sdi, dvi, vga or video"},
        {{"--sim", "brightness", "L", "33"}, kExitUsage, "brightness 33 is not 0 .. 32"},
    };
    for (const UsageCase& c : cases) {
        const Outcome outcome = Ctl(c.arguments);
        SCOPED_TRACE(outcome.err);
        EXPECT_EQ(outcome.status, c.status);
        const std::string& said = c.status == kExitDone ? outcome.out : outcome.err;
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        if (c.status == kExitUsage) {
            EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
        }
    }
}

TEST_F(CtlTest, StatusTellsTheCardsModesAndVersionsAsTextOrJson) {
    const Outcome text = Ctl({"--sim", "status"});
    EXPECT_EQ(text.status, kExitDone);
    EXPECT_NE(text.out.find("Output format: 6 (1920 x 1080)\n"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find("Board K:       4 Outputs Splitter/4:4 Matrix, display mode M1, "
                            "firmware V 2.1\n"),
              std::string::npos)
        << text.out;

    const Outcome json = Ctl({"--sim", "status", "--json"});
    ASSERT_EQ(json.status, kExitDone);
    const auto status = nlohmann::json::parse(json.out);
    EXPECT_EQ(status["outputFormat"], 6);
    EXPECT_EQ(status["resolution"], nlohmann::json({{"width", 1920}, {"height", 1080}}));
    EXPECT_EQ(status["boards"]["L"]["displayMode"], 1);
    EXPECT_EQ(status["inputs"]["D"]["version"], "V 1.3.2");
}

TEST_F(CtlTest, RawSendsOneFrameAndPrintsItsReplyInHex) {
    const Outcome raw = Ctl({"--sim", "raw", "0xFE", "1", "0"});
    EXPECT_EQ(raw.status, kExitDone);
    EXPECT_EQ(raw.out.substr(0, 9), "86 01 FE ");
    EXPECT_EQ(raw.out.size(), 13 * 3);
}

// Each action on a card goes out as a timer sends it: the card's selection, then the command.
TEST_F(CtlTest, RecallSourceAndBrightnessSelectTheCardThenSendTheirCommand) {
    const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> cases{
        {{"recall", "L", "3"}, {"86 01 8d 01 00", "86 01 8e 02 01"}},
        {{"source", "b", "VGA"}, {"86 01 80 01 00", "86 01 81 00 02"}},
        {{"brightness", "K", "20"}, {"86 01 8d 00 00", "86 01 9f 14 00"}},
        {{"brightness", "D", "100"}, {"86 01 80 03 00", "86 01 88 00 64"}},
    };
    for (const auto& [command, frames] : cases) {
        std::vector<std::string> arguments{"--trace", "--sim"};
        arguments.insert(arguments.end(), command.begin(), command.end());
        const Outcome outcome = Ctl(arguments);
        EXPECT_EQ(outcome.status, kExitDone) << outcome.err;
        std::size_t at = 0;
        for (const std::string& frame : frames) {
            at = outcome.err.find("->    " + frame, at);
            EXPECT_NE(at, std::string::npos) << frame << " in order in\n" << outcome.err;
        }
    }
}

// A line with nobody on the other end: the handshake goes unanswered.
TEST_F(CtlTest, AProcessorThatDoesNotAnswerGivesStatus1) {
    testing::PtyPair line;
    const Outcome outcome = Ctl({"--serial", line.slavePath(), "status"});
    EXPECT_EQ(outcome.status, kExitFailed);
    EXPECT_EQ(outcome.err, "hsq2600ctl: the processor does not answer on " + line.slavePath() +
                               "\n");
}

// The same simulated state exported from the command line and from the display mode dialog.
TEST_F(CtlTest, ExportWritesTheFileTheDialogWrites) {
    ASSERT_EQ(Ctl({"--sim", "export", (folder / "ctl.ini").string()}).status, kExitDone);
    sim::testing::SimLink sim;
    MainWindowState state;
    state.connected = true;
    state.presence = {{true, true, true, true}, {true, true}};
    testing::ScriptedHost host;
    host.AnswerFile((folder / "dialog.ini").string());
    ProfileStore store(folder.path());
    ModeGetLogic(state, store, sim.commands, host).OnExport();
    EXPECT_EQ(folder.Read("ctl.ini"), folder.Read("dialog.ini"));
}

// Over a real pseudo-terminal to a processor the test holds: an import from the command line
// leaves it as an import from the dialog leaves another.
TEST_F(CtlTest, ImportLeavesTheProcessorAsTheDialogsImportDoes) {
    ASSERT_TRUE(WriteModeFile(folder / "mode.ini", testing::SampleBank()));
    sim::SimulatedProcessor served;
    sim::PtyServer server(served);
    std::string error;
    ASSERT_TRUE(server.Open(error) && server.Start()) << error;
    // Each poll lets the real server on the other end of the line catch up.
    clock.SetPauseHook([](int) { std::this_thread::sleep_for(std::chrono::microseconds(500)); });
    const Outcome outcome =
        Ctl({"--serial", server.Path(), "import", (folder / "mode.ini").string()});
    EXPECT_EQ(outcome.status, kExitDone) << outcome.err;

    sim::testing::SimLink sim;
    MainWindowState state;
    state.connected = true;
    state.presence = {{true, true, true, true}, {true, true}};
    testing::ScriptedHost host;
    host.AnswerFile((folder / "mode.ini").string());
    ProfileStore store(folder.path());
    ModeGetLogic(state, store, sim.commands, host).OnImport();
    EXPECT_TRUE(served.Snapshot() == sim.processor.Snapshot());
    EXPECT_TRUE(served.Violations().empty());
}

}  // namespace
}  // namespace hsq::cli
