// Start-up of the application to the first paint of its main window, connected to a simulated
// processor in-process (the 1000 ms pause after opening the link passes on virtual time), and
// the resident memory afterwards.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <fstream>
#include <string>

#include <QApplication>

#include "program/application_window.h"
#include "config/default_configuration.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"

namespace hsq {
namespace {

// Stops the clock at the window's first paint.
class FirstPaint final : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) painted = true;
        return false;
    }
    bool painted = false;
};

double ResidentMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmRSS:")) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

void BM_StartUpToFirstPaint(benchmark::State& state) {
    char pattern[] = "/tmp/hsq-startup-XXXXXX";
    const std::filesystem::path folder = ::mkdtemp(pattern);
    WriteDefaultConfiguration(folder);
    ProfileStore(folder).WriteValue(ConfigFileKind::SystemInfo, "Connect", "AutoConnect", "1");
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        VirtualClock clock;
        sim::SimulatedProcessor processor;
        sim::InProcessTransport transport(processor, clock);
        CHSQ2600ObjApp app(clock, folder);
        app.Link().AttachTransport(&transport);
        FirstPaint paint;
        app.Window().installEventFilter(&paint);
        app.Window().show();
        app.Logic().Start(1033, 1920, 1080);
        app.Window().Refresh();
        while (!paint.painted) QApplication::processEvents();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        state.counters["resident_MB"] = ResidentMegabytes();
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_StartUpToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace hsq

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
