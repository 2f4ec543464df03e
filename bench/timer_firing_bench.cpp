// How punctually the timer worker fires on real time, what it costs while it waits, and how long
// a large timer file takes to load and save.
// Output mode timers a few seconds apart go to a simulated processor that answers at once; the
// lateness of an entry is the wall time of its first frame less the entry's time. Then the same
// across a wall clock set forward an hour while the worker waits (through a clock whose wall time
// can be stepped without setting the system's): the entry the step skipped fires at once, the
// later ones at their times. Then one timer far ahead: the process's CPU time over a long wait.
// timer_firing_bench [ENTRIES [SPACING_S [RECORDS]]]
#include <stdlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "scheduler/calendar.h"
#include "scheduler/timer_examples.h"
#include "scheduler/timer_file.h"
#include "scheduler/timer_runner.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"

namespace hsq {
namespace {

constexpr int kHourS = 3600;

// What the clock's wall reads, in milliseconds on a scale without zones.
std::int64_t WallMs(Clock& clock) { return MomentMilliseconds(clock.LocalNow()); }

// The wall time of each frame on its way to the processor.
class WallTimedWire final : public LinkTransport {
  public:
    WallTimedWire(LinkTransport& inner, Clock& clock) : inner_(inner), clock_(clock) {}
    int WriteFrame(const std::uint8_t* bytes, int count) override {
        {
            std::lock_guard lock(mutex_);
            sentMs_.push_back(WallMs(clock_));
        }
        return inner_.WriteFrame(bytes, count);
    }
    int ReadAvailable(std::uint8_t* bytes, int count) override {
        return inner_.ReadAvailable(bytes, count);
    }
    void CloseTransport() override { inner_.CloseTransport(); }
    std::vector<std::int64_t> SentMs() const {
        std::lock_guard lock(mutex_);
        return sentMs_;
    }

  private:
    LinkTransport& inner_;
    Clock& clock_;
    mutable std::mutex mutex_;
    std::vector<std::int64_t> sentMs_;
};

// A simulated processor behind a link on the given clock.
struct Bench {
    explicit Bench(Clock& clock)
        : inProcess(processor, clock), wire(inProcess, clock), link(clock), commands(link),
          runner(commands, clock) {
        link.AttachTransport(&wire);
    }
    ~Bench() {
        runner.StopAll();
        FinishStoppedTimerWorkers();
    }

    sim::SimulatedProcessor processor;
    sim::InProcessTransport inProcess;
    WallTimedWire wire;
    DeviceLink link;
    DeviceCommands commands;
    TimerRunner runner;
};

double ProcessCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 +
           usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3;
}

TimerRecord RecallAt(std::int64_t wallS) {
    return testing::DayTimer(TimerSection::OutputMode,
                             FormatTime({static_cast<int>(wallS / 3600 % 24),
                                         static_cast<int>(wallS / 60 % 60),
                                         static_cast<int>(wallS % 60)})
                                 .c_str(),
                             0, {kBoardK});
}

// Day timers recalling mode 1 on card K, the first firstS seconds from now, then spaced apart.
// Empty when they would run over midnight, which a day's entries cannot.
std::vector<std::int64_t> Schedule(Clock& clock, std::vector<TimerRecord>& records, int entries,
                                   int spacingS, std::int64_t firstS) {
    const std::int64_t startS = WallMs(clock) / 1000 + firstS;
    std::vector<std::int64_t> dueMs;
    for (int i = 0; i < entries; ++i) {
        const std::int64_t atS = startS + static_cast<std::int64_t>(i) * spacingS;
        if (atS / 86400 != WallMs(clock) / 1000 / 86400) return {};
        records.push_back(RecallAt(atS));
        dueMs.push_back(atS * 1000);
    }
    return dueMs;
}

void PrintLateness(const char* what, std::vector<std::int64_t> lateness) {
    std::sort(lateness.begin(), lateness.end());
    std::printf("%s: min %lld ms, median %lld ms, max %lld ms\n", what,
                static_cast<long long>(lateness.front()),
                static_cast<long long>(lateness[lateness.size() / 2]),
                static_cast<long long>(lateness.back()));
}

// Each entry sends two frames: the card's selection, then the recall.
std::vector<std::int64_t> Lateness(const Bench& bench, const std::vector<std::int64_t>& dueMs) {
    const std::vector<std::int64_t> sent = bench.wire.SentMs();
    std::vector<std::int64_t> lateness;
    if (sent.size() != 2 * dueMs.size()) {
        std::printf("expected %zu frames, saw %zu\n", 2 * dueMs.size(), sent.size());
        return lateness;
    }
    for (std::size_t i = 0; i < dueMs.size(); ++i) lateness.push_back(sent[2 * i] - dueMs[i]);
    return lateness;
}

void MeasureLateness(int entries, int spacingS) {
    SystemClock clock;
    Bench bench(clock);
    std::vector<TimerRecord> records;
    const std::vector<std::int64_t> dueMs = Schedule(clock, records, entries, spacingS, 2);
    if (dueMs.empty()) return (void)std::printf("too close to midnight: run again later\n");
    bench.runner.Start(TimerSection::OutputMode, records);
    bench.runner.WaitUntilNothingPending();
    const auto lateness = Lateness(bench, dueMs);
    if (lateness.empty()) return;
    char what[120];
    std::snprintf(what, sizeof what, "lateness of the first frame over %d entries %d s apart",
                  entries, spacingS);
    PrintLateness(what, lateness);
}

// Half an hour ahead, the skipped entry; an hour and four seconds ahead, the others, so that the
// skipped one (1.2 s with its pauses) is done before them. One second in, the wall clock goes
// forward an hour.
void MeasureLatenessAcrossAStep(int entries, int spacingS) {
    ShiftedSystemClock clock;
    Bench bench(clock);
    std::vector<TimerRecord> records;
    std::vector<std::int64_t> dueMs = Schedule(clock, records, 1, 1, kHourS / 2);
    const std::vector<std::int64_t> later = Schedule(clock, records, entries, spacingS, kHourS + 4);
    if (dueMs.empty() || later.empty())
        return (void)std::printf("too close to midnight: run again later\n");
    bench.runner.Start(TimerSection::OutputMode, records);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const std::int64_t steppedMs = WallMs(clock) + kHourS * 1000;
    clock.StepWallMs(kHourS * 1000);
    dueMs.front() = steppedMs;  // due the moment the step passed it
    dueMs.insert(dueMs.end(), later.begin(), later.end());
    bench.runner.WaitUntilNothingPending();
    const auto lateness = Lateness(bench, dueMs);
    if (lateness.empty()) return;
    std::printf("wall clock set forward 1 h while waiting: the entry it skipped fired %lld ms "
                "after the step\n",
                static_cast<long long>(lateness.front()));
    char what[120];
    std::snprintf(what, sizeof what, "lateness of the first frame over %d entries %d s apart "
                  "after the step", entries, spacingS);
    PrintLateness(what, std::vector(lateness.begin() + 1, lateness.end()));
}

void MeasureWaitingCpu(int waitS) {
    SystemClock clock;
    Bench bench(clock);
    const std::int64_t farS = WallMs(clock) / 1000 + waitS + 60;
    bench.runner.Start(TimerSection::Brightness,
                       {testing::DayTimer(TimerSection::Brightness,
                                          FormatTime({static_cast<int>(farS / 3600 % 24),
                                                      static_cast<int>(farS / 60 % 60),
                                                      static_cast<int>(farS % 60)})
                                              .c_str(),
                                          50, {kBoardA})});
    const double cpuBefore = ProcessCpuMs();
    std::this_thread::sleep_for(std::chrono::seconds(waitS));
    const double cpuMs = ProcessCpuMs() - cpuBefore;
    std::printf("CPU time while the worker waited %d s for an entry: %.1f ms (%.3f %% of one "
                "core)\n",
                waitS, cpuMs, 100.0 * cpuMs / (waitS * 1000.0));
}

double ElapsedMs(std::chrono::steady_clock::time_point since) {
    using Ms = std::chrono::duration<double, std::milli>;
    return Ms(std::chrono::steady_clock::now() - since).count();
}

// The file the timer window opens, with every record of one section.
void MeasureTimerFile(int count) {
    std::string pattern = (std::filesystem::temp_directory_path() / "timer-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) return;
    const std::filesystem::path folder(pattern);
    ProfileStore store(folder);
    std::vector<TimerRecord> records;
    for (int i = 0; i < count; ++i) records.push_back(RecallAt(i % 86400));
    auto start = std::chrono::steady_clock::now();
    SaveTimerSection(store, TimerSection::OutputMode, records);
    const double savedMs = ElapsedMs(start);
    const LocalTime noon{2026, 1, 7, 12, 0, 0};
    start = std::chrono::steady_clock::now();
    const std::size_t loaded = LoadTimerSection(store, TimerSection::OutputMode, noon).size();
    const double loadedMs = ElapsedMs(start);
    std::printf("Timer.ini with %d records: loaded %zu in %.1f ms, saved in %.1f ms\n", count,
                loaded, loadedMs, savedMs);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace hsq

int main(int argc, char** argv) {
    const int entries = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const int spacingS = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const int records = argc > 3 ? std::max(1, std::atoi(argv[3])) : 10000;
    hsq::MeasureLateness(entries, spacingS);
    hsq::MeasureLatenessAcrossAStep(entries, spacingS);
    hsq::MeasureWaitingCpu(10);
    hsq::MeasureTimerFile(records);
    return 0;
}
