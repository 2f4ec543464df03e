// How punctually the timer worker fires on real time, and what it costs while it waits.
// Output mode timers a few seconds apart go to a simulated processor that answers at once; the
// lateness of an entry is the wall time of its first frame less the entry's time. Then one
// timer far ahead: the process's CPU time over a long wait for it.
// timer_firing_bench [ENTRIES [SPACING_S]]
#include <stdlib.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <mutex>
#include <thread>
#include <vector>

#include "scheduler/timer_examples.h"
#include "scheduler/timer_runner.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"

namespace hsq {
namespace {

using Wall = std::chrono::system_clock;

std::int64_t WallMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Wall::now().time_since_epoch())
        .count();
}

// The wall time of each frame on its way to the processor.
class WallTimedWire final : public LinkTransport {
  public:
    explicit WallTimedWire(LinkTransport& inner) : inner_(inner) {}
    int WriteFrame(const std::uint8_t* bytes, int count) override {
        {
            std::lock_guard lock(mutex_);
            sentMs_.push_back(WallMs());
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
    mutable std::mutex mutex_;
    std::vector<std::int64_t> sentMs_;
};

// "hh:mm:ss" of a wall time in whole seconds.
std::string TimeText(std::int64_t wallSeconds) {
    const std::time_t seconds = wallSeconds;
    std::tm parts{};
    localtime_r(&seconds, &parts);
    char text[16];
    std::strftime(text, sizeof text, "%H:%M:%S", &parts);
    return text;
}

double ProcessCpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec * 1e3 + usage.ru_utime.tv_usec / 1e3 +
           usage.ru_stime.tv_sec * 1e3 + usage.ru_stime.tv_usec / 1e3;
}

// Day timers recalling mode 1 on card K, the first two seconds from now, then spaced apart.
std::vector<std::int64_t> Schedule(TimerRunner& runner, int entries, int spacingS) {
    const std::int64_t firstS = WallMs() / 1000 + 2;
    std::vector<TimerRecord> records;
    std::vector<std::int64_t> dueMs;
    for (int i = 0; i < entries; ++i) {
        const std::int64_t atS = firstS + static_cast<std::int64_t>(i) * spacingS;
        records.push_back(testing::DayTimer(TimerSection::OutputMode, TimeText(atS).c_str(), 0,
                                            {kBoardK}));
        dueMs.push_back(atS * 1000);
    }
    runner.Start(TimerSection::OutputMode, records);
    return dueMs;
}

void MeasureLateness(int entries, int spacingS) {
    SystemClock clock;
    sim::SimulatedProcessor processor;
    sim::InProcessTransport inProcess(processor, clock);
    WallTimedWire wire(inProcess);
    DeviceLink link(clock);
    link.AttachTransport(&wire);
    DeviceCommands commands(link);
    TimerRunner runner(commands, clock);

    const std::vector<std::int64_t> dueMs = Schedule(runner, entries, spacingS);
    runner.WaitForWorker();
    // Each entry sends two frames: the card's selection, then the recall.
    const std::vector<std::int64_t> sent = wire.SentMs();
    if (sent.size() != 2 * dueMs.size()) {
        std::printf("expected %zu frames, saw %zu\n", 2 * dueMs.size(), sent.size());
        return;
    }
    std::vector<std::int64_t> lateness;
    for (std::size_t i = 0; i < dueMs.size(); ++i) lateness.push_back(sent[2 * i] - dueMs[i]);
    std::sort(lateness.begin(), lateness.end());
    std::printf("lateness of the first frame over %d entries %d s apart: min %lld ms, median "
                "%lld ms, max %lld ms\n",
                entries, spacingS, static_cast<long long>(lateness.front()),
                static_cast<long long>(lateness[lateness.size() / 2]),
                static_cast<long long>(lateness.back()));
}

void MeasureWaitingCpu(int waitS) {
    SystemClock clock;
    sim::SimulatedProcessor processor;
    sim::InProcessTransport inProcess(processor, clock);
    DeviceLink link(clock);
    link.AttachTransport(&inProcess);
    DeviceCommands commands(link);
    TimerRunner runner(commands, clock);
    const std::int64_t farS = WallMs() / 1000 + waitS + 60;
    runner.Start(TimerSection::Brightness,
                 {testing::DayTimer(TimerSection::Brightness, TimeText(farS).c_str(), 50, {kBoardA})});
    const double cpuBefore = ProcessCpuMs();
    std::this_thread::sleep_for(std::chrono::seconds(waitS));
    const double cpuMs = ProcessCpuMs() - cpuBefore;
    std::printf("CPU time while the worker waited %d s for an entry: %.1f ms (%.3f %% of one "
                "core)\n",
                waitS, cpuMs, 100.0 * cpuMs / (waitS * 1000.0));
    runner.StopAll();
}

}  // namespace
}  // namespace hsq

int main(int argc, char** argv) {
    const int entries = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
    const int spacingS = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    hsq::MeasureLateness(entries, spacingS);
    hsq::MeasureWaitingCpu(10);
    return 0;
}
