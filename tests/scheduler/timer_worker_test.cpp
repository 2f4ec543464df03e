// The worker against the simulated processor on virtual time: the commands of each section, their
// pauses, what starting and stopping sections does to a worker that waits, and the wall clock
// going on through midnights and being set forward and back.
#include "scheduler/timer_worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <utility>

#include "timer_rig.h"

namespace hsq {
namespace {

using testing::DayTimer;
using testing::MakeTimer;
using Commands = std::vector<std::string>;

using testing::kHourMs;
// A confirmed exchange with the simulator: the link's pause, then the reply is there.
constexpr int kExchangeMs = DeviceLink::kSendPauseMs;
constexpr int kAfterEntryMs = 200;

struct EntryCase {
    const char* name;
    TimerRecord record;
    bool inputCardAlsoResponds;
    Commands commands;
    std::vector<int> pausesMs;  // the worker's pause after each command
};

TimerRecord Brightness(int input, int output) {
    TimerRecord record = DayTimer(TimerSection::Brightness, "12:00:00", input, {1, 5});
    record.outBrightness = static_cast<std::int8_t>(output);
    return record;
}

TimerRecord Signal(const char* time, int signal) {
    return DayTimer(TimerSection::InputSignal, time, signal, {1});
}

TimerRecord Mode(testing::TimerWhen when, int mode) {
    return MakeTimer(TimerSection::OutputMode, when, mode, {kBoardK});
}

// Only the frames that carry the section's command, not the card's selection.
Commands Only(const std::string& command, const Commands& frames) {
    Commands kept;
    for (const std::string& frame : frames) {
        if (frame.find(command) != std::string::npos) kept.push_back(frame);
    }
    return kept;
}

const EntryCase kEntryCases[] = {
    {"Mode4OnKAndLWithInputCards", DayTimer(TimerSection::OutputMode, "12:00:00", 3, {5, 6}), true,
     {"8D 00 00", "8E 03 01", "8D 01 00", "8E 03 01"}, {100, 6000, 100, 6000}},
    {"Mode4OnKAndLAlone", DayTimer(TimerSection::OutputMode, "12:00:00", 3, {5, 6}), false,
     {"8D 00 00", "8E 03 01", "8D 01 00", "8E 03 01"}, {100, 500, 100, 500}},
    {"BrightnessOfAAndK", Brightness(80, 20), true,
     {"80 00 00", "88 00 50", "8D 00 00", "9F 14 00"}, {100, 100, 100, 100}},
    {"OutputBrightnessFFLeavesKAlone", Brightness(80, 0xFF), false,
     {"80 00 00", "88 00 50"}, {100, 100}},
    {"VgaOnBAndD", DayTimer(TimerSection::InputSignal, "12:00:00", 2, {2, 4}), false,
     {"80 01 00", "81 00 02", "80 03 00", "81 00 02"}, {100, 100, 100, 100}},
    {"BoardsOutsideTheSection", DayTimer(TimerSection::InputSignal, "12:00:00", 2, {0, 5, 9}),
     false, {}, {}},
};

TEST(TimerWorker, SendsEachBoardsCommandsAtTheEntrysTimeWithTheirPauses) {
    for (const EntryCase& c : kEntryCases) {
        SCOPED_TRACE(c.name);
        testing::TimerRig rig({2026, 1, 7, 11, 59, 0});
        rig.runner.SetInputCardAlsoResponds(c.inputCardAlsoResponds);
        rig.runner.Start(c.record.section, {c.record});
        rig.RunUntilParked();

        EXPECT_EQ(rig.wire.Commands(), c.commands);
        EXPECT_TRUE(rig.runner.Pending().empty());
        const auto frames = rig.wire.Frames();
        if (frames.size() != c.pausesMs.size() || frames.empty()) continue;
        EXPECT_EQ(frames[0].atMs, 60 * 1000);
        for (std::size_t i = 1; i < frames.size(); ++i)
            EXPECT_EQ(frames[i].atMs - frames[i - 1].atMs, kExchangeMs + c.pausesMs[i - 1]) << i;
        EXPECT_EQ(rig.clock.ElapsedMs() - frames.back().atMs,
                  kExchangeMs + c.pausesMs.back() + kAfterEntryMs);
    }
}

// A Stop rebuilt the others from "now", which dropped the output entry due at 12:00:00 and held
// up behind the input entry of the same second.
TEST(TimerWorker, AStopKeepsTheOtherSectionsEntryThatIsDueAndHeldUp) {
    testing::TimerRig rig({2026, 1, 7, 11, 59, 0});
    rig.gate.Arm(rig.clock, {60 * 1000, 100});  // the wait, then after the first card's selection
    rig.runner.Start(TimerSection::InputSignal,
                     {DayTimer(TimerSection::InputSignal, "12:00:00", 2, {1, 2, 3, 4})});
    rig.gate.WaitUntilHeld();
    rig.runner.Start(TimerSection::OutputMode,
                     {DayTimer(TimerSection::OutputMode, "12:00:00", 0, {5})});
    rig.runner.Start(TimerSection::Brightness, {Brightness(50, 10)});
    rig.gate.Open();
    rig.gate.WaitUntilHeld();
    rig.runner.Stop(TimerSection::Brightness);
    rig.gate.Open();
    rig.RunUntilParked();

    const Commands commands = rig.wire.Commands();
    ASSERT_EQ(commands.size(), 10U);
    EXPECT_EQ((Commands{commands[8], commands[9]}), (Commands{"8D 00 00", "8E 00 01"}));
}

// Close on the last section and closing the window: the call returns while the worker is in the
// middle of an exchange (against a silent processor that took up to 10 s), the exchange is
// finished behind it, and nothing is sent after it.
TEST(TimerWorker, StoppingNeverWaitsForTheExchangeUnderWayAndNothingFollowsIt) {
    for (const bool all : {false, true}) {
        testing::TimerRig rig({2026, 1, 7, 10, 0, 0});
        rig.gate.Arm(rig.clock, kExchangeMs);  // the link's pause inside the first exchange
        rig.runner.Start(TimerSection::OutputMode,
                         {DayTimer(TimerSection::OutputMode, "10:00:30", 3, {5, 6})});
        rig.gate.WaitUntilHeld();
        auto stopping = std::async(std::launch::async, [&] {
            all ? rig.runner.StopAll() : rig.runner.Stop(TimerSection::OutputMode);
        });
        EXPECT_EQ(stopping.wait_for(std::chrono::seconds(20)), std::future_status::ready) << all;
        EXPECT_FALSE(rig.runner.WorkerActive());
        rig.gate.Open();
        stopping.get();
        FinishStoppedTimerWorkers();
        EXPECT_EQ(rig.wire.Commands(), Commands{"8D 00 00"}) << all;
    }
}

// The wall clock set forward an hour while the worker waits: what the step skipped fires at once
// and in order, what lies beyond it at its own time.
TEST(TimerWorker, AForwardStepFiresTheSkippedEntriesAtOnceAndTheLaterOnesOnTime) {
    testing::TimerRig rig({2026, 1, 7, 10, 0, 0});
    bool stepped = false;
    rig.clock.SetPauseHook([&](int ms) {
        if (ms != 30 * 60 * 1000 || std::exchange(stepped, true)) return;
        rig.clock.StepWallMs(kHourMs);
    });
    rig.runner.Start(TimerSection::InputSignal,
                     {Signal("10:30:00", 1), Signal("10:45:00", 2), Signal("11:30:00", 3)});
    rig.RunUntilParked();

    EXPECT_EQ(rig.wire.WallCommands(),
              (Commands{"01-07 11:00:00 80 00 00", "01-07 11:00:00 81 00 01",
                        "01-07 11:00:00 80 00 00", "01-07 11:00:01 81 00 02",
                        "01-07 11:30:00 80 00 00", "01-07 11:30:00 81 00 03"}));
    EXPECT_EQ(rig.wire.Frames()[4].atMs, 30 * 60 * 1000);
}

// Started at 23:59:50, a Day timer at 00:00:05 fires at 00:00:05; the clock then set back over
// midnight brings the same day round again, and nothing of it fires twice.
TEST(TimerWorker, AcrossMidnightAndABackwardStepOverItEachEntryFiresOnce) {
    testing::TimerRig rig({2026, 1, 7, 23, 59, 50});
    bool stepped = false;
    rig.clock.SetPauseHook([&](int) {
        if (rig.wire.Frames().size() == 2 && !std::exchange(stepped, true))
            rig.clock.StepWallMs(-20 * 1000);
    });
    rig.runner.Start(TimerSection::InputSignal, {Signal("00:00:05", 1), Signal("00:00:30", 2)});
    rig.RunUntil({2026, 1, 9, 0, 0, 0});

    EXPECT_TRUE(stepped);
    EXPECT_EQ(rig.wire.WallCommands(),
              (Commands{"01-08 00:00:05 80 00 00", "01-08 00:00:05 81 00 01",
                        "01-08 00:00:30 80 00 00", "01-08 00:00:30 81 00 02"}));
}

// Left running from Saturday January 31 over two midnights: each kind on its own days, and the
// pending list holds each new day's entries.
TEST(TimerWorker, LeftRunningEachKindFiresOnItsDaysAfterMidnight) {
    testing::TimerRig rig({2026, 1, 31, 10, 0, 0});
    const TimerRecord monthDay1 = Mode({TimerKind::Month, 1, "", "09:15:00"}, 3);
    rig.runner.Start(TimerSection::OutputMode,
                     {Mode({TimerKind::Day, 0, "", "09:00:00"}, 0),
                      Mode({TimerKind::Day, 0, "", "00:00:00"}, 6),  // the stroke of midnight
                      Mode({TimerKind::Week, 1, "", "09:30:00"}, 1),   // Monday
                      Mode({TimerKind::Week, 6, "", "09:45:00"}, 2),   // Saturday, passed
                      monthDay1, Mode({TimerKind::Month, 31, "", "11:00:00"}, 4),
                      Mode({TimerKind::Once, 0, "2026-02-02", "08:00:00"}, 5)});
    rig.RunUntil({2026, 2, 1, 9, 10, 0});
    EXPECT_EQ(rig.runner.Pending(), std::vector{monthDay1});
    rig.RunUntil({2026, 2, 3, 0, 0, 0});

    EXPECT_EQ(Only("8E", rig.wire.WallCommands()),
              (Commands{"01-31 11:00:00 8E 04 01", "02-01 00:00:00 8E 06 01",
                        "02-01 09:00:00 8E 00 01", "02-01 09:15:00 8E 03 01",
                        "02-02 00:00:00 8E 06 01", "02-02 08:00:00 8E 05 01",
                        "02-02 09:00:00 8E 00 01", "02-02 09:30:00 8E 01 01"}));
    EXPECT_TRUE(rig.runner.WorkerActive());  // waiting for the next day
}

}  // namespace
}  // namespace hsq
