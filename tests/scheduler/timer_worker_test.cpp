// The worker against the simulated processor on virtual time: the commands of each section, their
// pauses, and what starting and stopping sections does to a worker that waits.
#include "scheduler/timer_worker.h"

#include <gtest/gtest.h>

#include "timer_rig.h"

namespace hsq {
namespace {

using testing::DayTimer;
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

class CarryingOut : public ::testing::TestWithParam<EntryCase> {};

TEST_P(CarryingOut, SendsEachBoardsCommandsAtTheEntrysTimeWithTheirPauses) {
    const EntryCase& c = GetParam();
    testing::TimerRig rig({2026, 1, 7, 11, 59, 0});
    rig.runner.SetInputCardAlsoResponds(c.inputCardAlsoResponds);
    rig.runner.Start(c.record.section, {c.record});
    rig.runner.WaitForWorker();

    EXPECT_EQ(rig.wire.Commands(), c.commands);
    EXPECT_TRUE(rig.runner.Pending().empty());
    const auto frames = rig.wire.Frames();
    if (frames.size() != c.pausesMs.size() || frames.empty()) return;
    EXPECT_EQ(frames[0].atMs, 60 * 1000);
    for (std::size_t i = 1; i < frames.size(); ++i)
        EXPECT_EQ(frames[i].atMs - frames[i - 1].atMs, kExchangeMs + c.pausesMs[i - 1]) << i;
    EXPECT_EQ(rig.clock.ElapsedMs() - frames.back().atMs,
              kExchangeMs + c.pausesMs.back() + kAfterEntryMs);
}

INSTANTIATE_TEST_SUITE_P(TimerWorker, CarryingOut, ::testing::ValuesIn(kEntryCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Sections started and stopped while the worker waits for an hour: the stopped one's entry never
// fires, the two due at the same second run one after the other within the minute.
TEST(TimerWorker, SectionsChangedWhileTheWorkerWaitsFireAsTheyStandThen) {
    testing::TimerRig rig({2026, 1, 7, 10, 0, 0});
    rig.gate.Arm(rig.clock, kHourMs, 3);
    rig.runner.Start(TimerSection::InputSignal, {DayTimer(TimerSection::InputSignal, "11:00:00", 2, {1})});
    rig.gate.WaitUntilHeld();
    rig.runner.Start(TimerSection::OutputMode, {DayTimer(TimerSection::OutputMode, "12:00:00", 0, {5})});
    rig.runner.Start(TimerSection::Brightness, {Brightness(50, 10)});
    rig.runner.Stop(TimerSection::InputSignal);
    rig.runner.WaitForWorker();

    const auto frames = rig.wire.Frames();
    ASSERT_EQ(rig.wire.Commands(),
              (Commands{"8D 00 00", "8E 00 01", "80 00 00", "88 00 32", "8D 00 00", "9F 0A 00"}));
    EXPECT_EQ(frames[0].atMs, 2 * kHourMs);
    EXPECT_EQ(frames[2].atMs - frames[1].atMs, kExchangeMs + 500 + kAfterEntryMs);
    EXPECT_LT(frames.back().atMs, 2 * kHourMs + 60 * 1000);
}

TEST(TimerWorker, StoppingTheLastSectionEndsTheWorkerAndALaterStartMakesANewOne) {
    testing::TimerRig rig({2026, 1, 7, 10, 0, 0});
    rig.gate.Arm(rig.clock, kHourMs, 1);
    rig.runner.Start(TimerSection::OutputMode, {DayTimer(TimerSection::OutputMode, "11:00:00", 0, {5})});
    rig.gate.WaitUntilHeld();
    EXPECT_TRUE(rig.runner.WorkerActive());
    rig.runner.Stop(TimerSection::OutputMode);
    EXPECT_FALSE(rig.runner.WorkerActive());
    EXPECT_TRUE(rig.wire.Commands().empty());

    rig.runner.Start(TimerSection::OutputMode, {DayTimer(TimerSection::OutputMode, "11:30:00", 1, {6})});
    rig.runner.WaitForWorker();
    EXPECT_EQ(rig.wire.Commands(), (Commands{"8D 01 00", "8E 01 01"}));
    EXPECT_FALSE(rig.runner.WorkerActive());
}

// Virtual time, except that a cancellable wait is a real one, cut at 10 s: only a change of the
// schedule can end the worker's wait for an entry an hour away sooner.
class RealWaitClock final : public Clock {
  public:
    explicit RealWaitClock(LocalTime start) : virtual_(start) {}

    bool WaitCancellable(Cancellation& cancel, int ms) override {
        waiting.test_and_set();
        waiting.notify_all();
        ranOut = SystemClock().WaitCancellable(cancel, std::min(ms, 10 * 1000));
        return ranOut;
    }
    void SleepMs(int ms) override { virtual_.SleepMs(ms); }
    std::int64_t NowMs() override { return virtual_.NowMs(); }
    LocalTime LocalNow() override { return virtual_.LocalNow(); }
    short WaitDescriptor(int fd, short events, int timeoutMs) override {
        return virtual_.WaitDescriptor(fd, events, timeoutMs);
    }

    std::atomic_flag waiting;
    std::atomic<bool> ranOut{false};

  private:
    VirtualClock virtual_;
};

TEST(TimerWorker, StoppingTheLastSectionCutsTheWorkersWaitShort) {
    const LocalTime ten{2026, 1, 7, 10, 0, 0};
    testing::TimerRig rig(ten);
    RealWaitClock clock(ten);
    TimerRunner runner(rig.commands, clock);
    runner.Start(TimerSection::OutputMode, {DayTimer(TimerSection::OutputMode, "11:00:00", 0, {5})});
    clock.waiting.wait(false);
    runner.Stop(TimerSection::OutputMode);
    EXPECT_FALSE(clock.ranOut);
    EXPECT_FALSE(runner.WorkerActive());
    EXPECT_TRUE(rig.wire.Commands().empty());
}

// Only a thread started late can find its first entry already passed; it must not hold up the
// rest.
TEST(TimerWorker, AnEntryDueBeforeTheWorkerBeganIsCarriedOutAtOnce) {
    testing::TimerRig rig({2026, 1, 7, 10, 0, 5});
    TimerSchedule schedule;
    const std::vector late{DayTimer(TimerSection::InputSignal, "10:00:01", 1, {1}),
                           DayTimer(TimerSection::InputSignal, "10:00:30", 3, {1})};
    ASSERT_TRUE(schedule.Start(TimerSection::InputSignal, late, {2026, 1, 7, 10, 0, 0}));
    const std::atomic<bool> inputCardAlsoResponds{false};
    TimerWorker(schedule, rig.commands, rig.clock, inputCardAlsoResponds, nullptr).Join();

    const auto frames = rig.wire.Frames();
    ASSERT_EQ(rig.wire.Commands(), (Commands{"80 00 00", "81 00 01", "80 00 00", "81 00 03"}));
    EXPECT_EQ(frames[0].atMs, 0);
    EXPECT_EQ(frames[2].atMs, 25 * 1000);
    EXPECT_FALSE(schedule.WorkerActive());
}

}  // namespace
}  // namespace hsq
