// Operations cut off by a power cut at random moments: every file holds what it held before or
// after one of the operation's steps, and no temporary outlives the next start or write.
#include <algorithm>
#include <map>
#include <set>

#include "app/main_window_logic.h"
#include "config/atomic_file.h"
#include "config/default_configuration.h"
#include "modes/mode_get_logic.h"
#include "output/advanced_output_logic.h"
#include "output/output_board_logic.h"
#include "output/output_resolution_logic.h"
#include "scheduler/timer_examples.h"
#include "scheduler/timer_file.h"
#include "sim/sim_link.h"
#include "support/power_cut.h"
#include "support/scripted_host.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

namespace fs = std::filesystem;

class NoDialogs final : public DialogOpener {
  public:
    DialogOutcome Open(DialogKind) override { return {}; }
};

struct Program {
    explicit Program(const fs::path& folder) : store(folder) {
        state.language = kEnglish;
        window.Start(1033, 1920, 1080);
        state.connected = true;
        state.presence = {{true, true, true, true}, {true, true}};
    }

    ProfileStore store;
    sim::testing::SimLink sim;
    MainWindowState state;
    testing::ScriptedHost host;
    NoDialogs dialogs;
    MainWindowLogic window{state, store, sim.commands, host, dialogs};
    OutputBoardLogic::Dialogs boardDialogs;
    std::unique_ptr<OutputBoardLogic> board;  // open from one step of a round to the next
};

fs::path OperatorFolder(const fs::path& folder) {
    return folder / "operator";
}

// One round of an operation, in steps that each end with the files written; rounds alternate
// between two outcomes, so that a file's old and new contents differ.
using Step = std::function<void(Program&, int round)>;
struct Operation {
    const char* name;
    std::vector<Step> steps;
};

const Operation kOperations[] = {
    {"initialise", {[](Program& program, int) { program.window.OnInitialise(); }}},
    {"mode copy",
     {[](Program& program, int round) {
          program.boardDialogs.askModeName = [round](const std::string&) {
              return "Copy " + std::to_string(round % 2);
          };
          program.board =
              std::make_unique<OutputBoardLogic>(program.state, program.store, program.sim.commands,
                                                 program.host, 0, program.boardDialogs);
          program.board->Open();
      },
      [](Program& program, int) { program.board->OnModeCopy(5); }}},
    {"resolution change", {[](Program& program, int round) {
         OutputResolutionLogic logic(program.state, program.store, program.sim.commands,
                                     program.host);
         logic.OnSlider(round % 2 == 0 ? 1 : 3);
         logic.OnSet();
     }}},
    {"application mode change", {[](Program& program, int round) {
         AdvancedOutputLogic(program.state, program.store, program.sim.commands, program.host, 0)
             .OnApplicationMode(round % 2 == 0 ? 5 : 0);
     }}},
    {"timer save", {[](Program& program, int round) {
         const TimerRecord timer =
             testing::DayTimer(TimerSection::OutputMode, "08:00:00", round % 2 + 1, {5, 6});
         SaveTimerSection(program.store, TimerSection::OutputMode, std::span(&timer, 1));
     }}},
    {"export", {[](Program& program, int round) {
         sim::ProcessorState processor;
         processor.outputs[0].brightness = static_cast<std::uint8_t>(round % 2 == 0 ? 10 : 90);
         program.sim.processor.Restore(processor);
         program.host.AnswerFile((OperatorFolder(program.store.Folder()) / "export.ini").string());
         ModeGetLogic(program.state, program.store, program.sim.commands, program.host).OnExport();
     }}},
};

// The configuration and operator's files, temporaries left out, each with its bytes.
std::map<std::string, std::string> FilesOf(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& [place, prefix] :
         {std::pair{folder, ""}, {OperatorFolder(folder), "operator/"}}) {
        for (const auto& entry : fs::directory_iterator(place)) {
            const std::string name = entry.path().filename().string();
            if (entry.is_regular_file() && !TemporaryFileTarget(name))
                files[prefix + name] = ReadFileBytes(entry).value_or("(unreadable)");
        }
    }
    return files;
}

int TemporariesIn(const fs::path& folder) {
    return static_cast<int>(std::count_if(
        fs::directory_iterator(folder), fs::directory_iterator(), [](const auto& entry) {
            return TemporaryFileTarget(entry.path().filename().string()).has_value();
        }));
}

// Every content a file may hold between two writes.
using Contents = std::map<std::string, std::set<std::string>>;

void Add(Contents& contents, const fs::path& folder) {
    for (auto& [name, bytes] : FilesOf(folder))
        contents[name].insert(bytes);
}

constexpr int kRoundsLearnt = 3;

// Learns on a copy of the folder what the first rounds leave, and how long a round takes.
Contents ContentsOfRounds(const Operation& operation, const fs::path& seeded,
                          std::chrono::microseconds& roundTime) {
    testing::TempFolder copy;
    fs::copy(seeded, copy.path(), fs::copy_options::recursive);
    Contents contents;
    Add(contents, copy.path());
    Program program(copy.path());
    const auto start = std::chrono::steady_clock::now();
    for (int round = 1; round <= kRoundsLearnt; ++round) {
        program.host.Answer(true);
        for (const Step& step : operation.steps) {
            step(program, round);
            Add(contents, copy.path());
        }
    }
    roundTime = std::chrono::duration_cast<std::chrono::microseconds>(
                    std::chrono::steady_clock::now() - start) /
                kRoundsLearnt;
    return contents;
}

void RunRound(const Operation& operation, Program& program, int round) {
    program.host.Answer(true);
    for (const Step& step : operation.steps)
        step(program, round);
}

// After a cut and a new start: at most the operator's file's temporary is left, and every file
// holds one of its whole contents. True when the cut had left a temporary behind.
bool CheckAfterCut(const Operation& operation, const fs::path& folder, const Contents& contents) {
    const int left = TemporariesIn(folder) + TemporariesIn(OperatorFolder(folder));
    EXPECT_LE(TemporariesIn(OperatorFolder(folder)), 1) << operation.name;
    const Program next(folder);
    EXPECT_EQ(TemporariesIn(folder), 0) << operation.name;
    for (const auto& [name, bytes] : FilesOf(folder)) {
        EXPECT_TRUE(contents.contains(name) && contents.at(name).contains(bytes))
            << operation.name << ": " << name << " holds neither an old nor a new content";
    }
    return left > 0;
}

// A round takes many times as long under the address sanitizer.
#ifdef __SANITIZE_ADDRESS__
constexpr int kCuts = 12;
#else
constexpr int kCuts = 216;
#endif

TEST(PowerCut, EveryFileIsWholeOldOrNewAndNoTemporaryOutlivesTheNextStartOrWrite) {
    const int cutsPerOperation = testing::PowerCut::Count("HSQ_CUTS", kCuts) / 6;
    testing::PowerCut cut("HSQ_CUT_SEED");
    int cutMidWrite = 0;
    for (const Operation& operation : kOperations) {
        testing::TempFolder folder;
        ASSERT_TRUE(WriteDefaultConfiguration(folder.path()));
        fs::create_directory(OperatorFolder(folder.path()));
        std::chrono::microseconds roundTime{};
        const Contents contents = ContentsOfRounds(operation, folder.path(), roundTime);
        cut.Progress().done = 0;
        for (int kill = 0; kill < cutsPerOperation; ++kill) {
            const auto rounds = [&](testing::ChildProgress& child) {
                Program program(folder.path());
                for (int round = child.done + 1;; ++round) {
                    child.attempting = round;
                    RunRound(operation, program, round);
                    child.done = round;
                }
            };
            ASSERT_TRUE(cut.CutDuring(rounds, roundTime * 3 / 2))
                << operation.name << ": the child ended on its own in cut " << kill;
            cutMidWrite += CheckAfterCut(operation, folder.path(), contents);
        }
        Program next(folder.path());
        RunRound(operation, next, cut.Progress().done + 1);
        EXPECT_EQ(TemporariesIn(OperatorFolder(folder.path())), 0) << operation.name;
    }
    if (cutsPerOperation * 6 >= 100) {
        EXPECT_GT(cutMidWrite, 0);
    }
}

}  // namespace
}  // namespace hsq
