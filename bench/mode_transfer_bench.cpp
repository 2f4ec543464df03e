// Exporting every display mode of two output cards with four input cards, and importing them
// back, on real time against a simulated processor that answers at once: how far each stays
// above the floor set by the link's pacing and the sequence's own pauses, and how close the
// waiting box's first estimate of the time left came.
// mode_transfer_bench [RUNS]
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "modes/mode_export.h"
#include "modes/mode_import.h"
#include "modes/mode_test_support.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"

namespace hsq {
namespace {

using Steady = std::chrono::steady_clock;

constexpr int kInputCards = 4;
constexpr int kOutputCards = 2;
// The sequences' own pauses: an export waits 100 ms after each input card's two windows and
// 200 ms after each channel window; an import 50 ms after all but the last of a card's three
// commands, after each board's setup and after each channel window and mode.
constexpr int kExportPausesMs = kInputCards * 2 * 100 + kOutputCards * 16 * 8 * 200;
constexpr int kImportPausesMs = kInputCards * 2 * 50 + kOutputCards * (50 + 16 * 9 * 50);

// Keeps the first estimate of the time left.
class FirstEstimate final : public WorkProgress {
  public:
    void Report(int, int) override {}
    void ReportTimeLeft(int, int, int secondsLeft) override {
        if (seconds < 0) seconds = secondsLeft;
    }
    int seconds = -1;
};

template <typename Work>
void Measure(const char* what, testing::FrameTap& wire, int pausesMs, Work&& work) {
    wire.frames.clear();
    FirstEstimate estimate;
    const auto start = Steady::now();
    work(estimate);
    const double elapsedMs = std::chrono::duration<double, std::milli>(Steady::now() - start).count();
    const int frames = static_cast<int>(wire.frames.size());
    // Each frame is followed by the link's 200 ms pause.
    const double floorMs = frames * DeviceLink::kSendPauseMs + pausesMs;
    std::printf("%-7s %4d frames  elapsed %9.1f ms  floor %9.1f ms  above the floor %5.2f %%  "
                "first estimate %4d s\n",
                what, frames, elapsedMs, floorMs, 100.0 * (elapsedMs - floorMs) / floorMs,
                estimate.seconds);
}

void Run() {
    SystemClock clock;
    sim::SimulatedProcessor processor;
    sim::InProcessTransport inProcess(processor, clock);
    testing::FrameTap wire(inProcess);
    DeviceLink link(clock);
    link.AttachTransport(&wire);
    DeviceCommands commands(link);
    const CardPresence present{{true, true, true, true}, {true, true}};

    ModeExport exported;
    PlanOutcome imported;
    Measure("export", wire, kExportPausesMs, [&](WorkProgress& progress) {
        exported = ExportModes(commands, present, progress);
    });
    Measure("import", wire, kImportPausesMs, [&](WorkProgress& progress) {
        imported = ImportModes(commands, exported.bank, present, progress);
    });
    if (!exported.outcome.Done() || !imported.Done() || !processor.Violations().empty())
        std::printf("export stopped after %d steps, import after %d, protocol violations %zu\n",
                    exported.outcome.answered, imported.answered, processor.Violations().size());
}

}  // namespace
}  // namespace hsq

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1;
    for (int run = 0; run < runs; ++run) hsq::Run();
    return 0;
}
