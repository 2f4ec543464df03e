// Opening the output board dialog (reading the card) and recalling a display mode, on real time
// against a simulated processor that answers at once: how far each stays above the pacing floor
// of the frames it sent, and the window thread's longest stall while it runs.
// output_board_bench [RUNS]
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "config/default_configuration.h"
#include "config/output_board_profile.h"
#include "output/card_reader.h"
#include "output/output_board_logic.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"
#include "ui/qt_dialog_host.h"

namespace hsq {
namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Counts the frames that go out, for the floor: each is followed by the link's 200 ms pause.
class CountingTransport final : public LinkTransport {
  public:
    explicit CountingTransport(LinkTransport& inner) : inner_(inner) {}
    int WriteFrame(const std::uint8_t* bytes, int count) override {
        ++frames;
        return inner_.WriteFrame(bytes, count);
    }
    int ReadAvailable(std::uint8_t* bytes, int count) override {
        return inner_.ReadAvailable(bytes, count);
    }
    void CloseTransport() override { inner_.CloseTransport(); }
    int frames = 0;

  private:
    LinkTransport& inner_;
};

// The longest time the window thread went without running its event loop.
class StallMeter {
  public:
    StallMeter() {
        QObject::connect(&tick_, &QTimer::timeout, [this] {
            const auto now = Clock::now();
            longest_ = std::max(longest_, std::chrono::duration<double, std::milli>(now - last_).count());
            last_ = now;
        });
        tick_.start(1);
        last_ = Clock::now();
    }
    double LongestMs() const { return longest_; }

  private:
    QTimer tick_;
    Clock::time_point last_;
    double longest_ = 0;
};

struct Figures {
    double elapsedMs = 0;
    double floorMs = 0;
    double stallMs = 0;
};

void Print(const char* what, const Figures& f) {
    std::printf("%-22s elapsed %8.1f ms  floor %8.1f ms  above the floor %5.2f %%  "
                "longest stall %5.1f ms\n",
                what, f.elapsedMs, f.floorMs, 100.0 * (f.elapsedMs - f.floorMs) / f.floorMs,
                f.stallMs);
}

template <typename Work>
Figures Measure(CountingTransport& wire, int fixedPausesMs, Work&& work) {
    wire.frames = 0;
    StallMeter stalls;
    const auto start = Clock::now();
    work();
    return {MillisecondsSince(start), wire.frames * DeviceLink::kSendPauseMs + fixedPausesMs * 1.0,
            stalls.LongestMs()};
}

void Run() {
    char pattern[] = "/tmp/hsq-output-bench-XXXXXX";
    const std::filesystem::path folder = ::mkdtemp(pattern);
    WriteDefaultConfiguration(folder);
    ProfileStore store(folder);
    MainWindowState state;
    state.connected = true;
    state.language = kEnglish;
    state.system.resolution = {6, 1920, 1080};
    LoadOutputProfiles(store, state.outputs);

    SystemClock clock;
    sim::SimulatedProcessor processor;
    sim::InProcessTransport inProcess(processor, clock);
    CountingTransport wire(inProcess);
    DeviceLink link(clock);
    link.AttachTransport(&wire);
    DeviceCommands commands(link);
    QWidget window;
    QtDialogHost host(&window, state.language);
    OutputBoardLogic logic(state, store, commands, host, 0, OutputBoardLogic::Dialogs{});

    Print("open (read the card)", Measure(wire, 0, [&] { logic.Open(); }));
    const int recallPauses =
        OutputCardReader::kRecallCommandPauseMs + OutputCardReader::kRecallPauseMs;
    Print("recall a display mode", Measure(wire, recallPauses, [&] { logic.OnDisplayMode(3); }));
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace hsq

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    for (int run = 0; run < runs; ++run) hsq::Run();
    return 0;
}
