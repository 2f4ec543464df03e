// hsq2600ctl run in this process on virtual time: against its own simulated processor, and
// against a pseudo-terminal with nobody on the other end.
#include "cli/ctl_program.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "config/atomic_file.h"
#include "link/pty_pair.h"
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
        {{"--version"}, kExitDone, "hsq2600ctl 0.1.0"},
        {{}, kExitUsage, "A subcommand is required"},
        {{"--sim", "recal", "K", "3"}, kExitUsage, "hsq2600ctl --help lists the commands"},
        {{"--sim", "raw", "300"}, kExitUsage, "300 is not a byte"},
        {{"--sim", "raw", "0x80", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"},
         kExitUsage, "at most nine data bytes"},
        {{"--sim", "recall", "A", "3"}, kExitUsage, "A is not an output card (K or L)"},
        {{"--sim", "recall", "K", "17"}, kExitUsage, "mode 17 is not 1 .. 16"},
        {{"--sim", "source", "A", "hdmi"}, kExitUsage, "signal hdmi is not sdi, dvi, vga or video"},
        {{"--sim", "brightness", "L", "33"}, kExitUsage, "brightness 33 is not 0 .. 32"},
        {{"--sim", "serve", "--http", "192.168.1.5:8026"}, kExitUsage,
         "192.168.1.5 is reachable from other machines: give --token-file"},
        {{"--sim", "serve", "--http", "localhost"}, kExitUsage, "localhost is not ADDRESS:PORT"},
        {{"--sim", "serve", "--token-file", "/dev/null"}, kExitUsage, "is only for --http"},
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

// Printed once and kept where only its owner can read it; each one new.
TEST_F(CtlTest, TokenNewWritesARandomTokenForItsOwnerOnly) {
    const std::filesystem::path file = folder / "made/http-token";
    const Outcome first = Ctl({"token", "new", "--token-file", file.string()});
    EXPECT_EQ(first.status, kExitDone) << first.err;
    EXPECT_EQ(first.out.size(), 65u);
    EXPECT_EQ(ReadFileBytes(file), first.out);
    EXPECT_EQ(std::filesystem::status(file).permissions(), std::filesystem::perms::owner_read |
                                                               std::filesystem::perms::owner_write);
    EXPECT_NE(Ctl({"token", "new", "--token-file", file.string()}).out, first.out);
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

// A line with nobody on the other end: the handshake goes unanswered.
TEST_F(CtlTest, AProcessorThatDoesNotAnswerGivesStatus1) {
    testing::PtyPair line;
    const Outcome outcome = Ctl({"--serial", line.slavePath(), "status"});
    EXPECT_EQ(outcome.status, kExitFailed);
    EXPECT_EQ(outcome.err, "hsq2600ctl: the processor does not answer on " + line.slavePath() +
                               "\n");
}

}  // namespace
}  // namespace hsq::cli
