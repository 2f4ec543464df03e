// Long operations against a processor that falls silent, and stopped by the operator: export and
// import through the display mode dialog's logic, on virtual time.
#include <gtest/gtest.h>

#include "app/paced_plan.h"
#include "modes/mode_file.h"
#include "modes/mode_get_logic.h"
#include "modes/mode_test_support.h"
#include "sim/sim_link.h"
#include "support/scripted_host.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

using sim::testing::CommandFrame;

class LongOperationTest : public ::testing::Test {
  protected:
    LongOperationTest() {
        sim.link.AttachTransport(&tap);
        state.language = kEnglish;
        state.connected = true;
        state.presence = {{true, true, true, true}, {true, true}};
    }
    std::uint8_t AskStatus() {
        Frame reply{};
        return sim.commands.Query(0, 0, reply);
    }

    testing::TempFolder folder;
    ProfileStore store{folder.path()};
    sim::testing::SimLink sim;
    testing::FrameTap tap{sim.transport};
    MainWindowState state;
    testing::ScriptedHost host;
};

TEST_F(LongOperationTest, TheProcessorIsSilentAfterThreeUnansweredWaitsUntilItAnswers) {
    tap.silence = [](const Frame&) { return true; };
    for (int unanswered = 1; unanswered <= DeviceLink::kSilentRun; ++unanswered) {
        EXPECT_EQ(AskStatus(), 0);
        EXPECT_EQ(sim.link.Answering(), unanswered < DeviceLink::kSilentRun);
    }
    tap.silence = nullptr;
    EXPECT_EQ(AskStatus(), kFrameSize);
    EXPECT_TRUE(sim.link.Answering());
}

// Known silent, an export asks the status once and, without an answer, sends nothing more.
TEST_F(LongOperationTest, ALongOperationAgainstASilentProcessorAsksOnceAndStops) {
    tap.silence = [](const Frame&) { return true; };
    for (int i = 0; i < DeviceLink::kSilentRun; ++i) AskStatus();
    tap.frames.clear();
    host.AnswerFile((folder / "mode.ini").string());
    ModeGetLogic(state, store, sim.commands, host).OnExport();
    EXPECT_EQ(tap.frames, std::vector<Frame>{CommandFrame(0xFE, {0, 0})});
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"The processor does not answer; nothing was sent."});
    EXPECT_FALSE(folder.Exists("mode.ini"));
}

// Cancel ends an export and an import after the step in flight: no file, and the main window
// keeps its format.
TEST_F(LongOperationTest, CancelStopsAnExportAndAnImportAfterTheStepInFlight) {
    host.stopAfterSteps = 5;
    host.AnswerFile((folder / "export.ini").string());
    ModeGetLogic exporting(state, store, sim.commands, host);
    exporting.OnExport();
    EXPECT_EQ(tap.frames.size(), 5u);
    EXPECT_FALSE(folder.Exists("export.ini"));

    ASSERT_TRUE(WriteModeFile(folder / "mode.ini", testing::SampleBank()));
    tap.frames.clear();
    host.AnswerFile((folder / "mode.ini").string());
    ModeGetLogic importing(state, store, sim.commands, host);
    importing.OnImport();
    EXPECT_EQ(tap.frames.size(), 5u);
    EXPECT_EQ(importing.Outcome().outputFormat, -1);
    EXPECT_EQ(host.Texts(),
              (std::vector<std::string>{
                  "Stopped at your request after step 5 of 364. No file was written.",
                  "Import data failed\nStopped at your request after step 5 of 305. The processor "
                  "holds part of the file."}));
}

// Cancel pressed while a step goes unanswered ends the export there, without its retry.
TEST_F(LongOperationTest, CancelDuringAnUnansweredStepSkipsItsRetry) {
    tap.silence = [&](const Frame&) {
        return host.stopNow = host.stopNow || tap.frames.size() == 3;
    };
    host.AnswerFile((folder / "export.ini").string());
    ModeGetLogic(state, store, sim.commands, host).OnExport();
    EXPECT_EQ(tap.frames.size(), 3u);
    EXPECT_EQ(host.Texts(),
              std::vector<std::string>{
                  "Stopped at your request after step 2 of 364. No file was written."});
    EXPECT_FALSE(folder.Exists("export.ini"));
}

}  // namespace
}  // namespace hsq
