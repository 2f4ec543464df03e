// Confirmed commands against the simulated processor over a pseudo-terminal and over loopback
// TCP, on the real clock. Each exchange is floored by the 200 ms pause after the frame; what
// matters is the time above that floor and the processor time the link burns while it waits.
// Each runs with the traffic record off (/0), on (/1), and on while a reader copies the whole
// record without pause (/2), far more often than the monitor's timer does; the same exchange
// against the simulator in this process, on virtual time, shows the link's own processor time.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "commands/device_commands.h"
#include "link/device_link.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"

namespace {

using namespace hsq;

// hsq2600-sim as a child process, serving both transports.
class SimulatorProcess {
public:
    SimulatorProcess() {
        const auto program = std::filesystem::read_symlink("/proc/self/exe").parent_path() /
                             "hsq2600-sim";
        int out[2];
        if (pipe(out) != 0) throw std::runtime_error("pipe");
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            execl(program.c_str(), program.c_str(), "--pty", "--tcp", "0", nullptr);
            _exit(127);
        }
        close(out[1]);
        output_ = fdopen(out[0], "r");
        for (int i = 0; i < 2; ++i) ReadEndpoint();
        if (ptyPath_.empty() || tcpPort_ == 0) throw std::runtime_error("simulator did not start");
    }

    ~SimulatorProcess() {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        if (output_ != nullptr) fclose(output_);
    }

    const std::string& ptyPath() const { return ptyPath_; }
    int tcpPort() const { return tcpPort_; }

private:
    void ReadEndpoint() {
        char line[256];
        if (fgets(line, sizeof line, output_) == nullptr) return;
        char path[200];
        int port = 0;
        if (std::sscanf(line, "pty %199s", path) == 1) ptyPath_ = path;
        if (std::sscanf(line, "tcp 127.0.0.1:%d", &port) == 1) tcpPort_ = port;
    }

    pid_t pid_ = -1;
    FILE* output_ = nullptr;
    std::string ptyPath_;
    int tcpPort_ = 0;
};

SimulatorProcess& Simulator() {
    static SimulatorProcess simulator;
    return simulator;
}

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// Sets the record as the benchmark's argument asks, and keeps a reader copying it meanwhile.
class TrafficSetting {
  public:
    TrafficSetting(benchmark::State& state, DeviceLink& link) {
        TrafficRing& ring = link.Traffic();
        ring.SetRecording(state.range(0) != 0);
        if (state.range(0) != 2) return;
        reader_ = std::thread([this, &ring] {
            while (!stop_) copies_ += ring.All().empty() ? 0 : 1;
        });
    }
    ~TrafficSetting() {
        stop_ = true;
        if (reader_.joinable()) reader_.join();
    }
    long Copies() const { return copies_; }

  private:
    std::atomic<bool> stop_{false};
    std::atomic<long> copies_{0};
    std::thread reader_;
};

void RunConfirmedCommands(benchmark::State& state, DeviceLink& link) {
    DeviceCommands commands(link);
    TrafficSetting traffic(state, link);
    std::vector<double> wallMs;
    double cpuMs = 0;
    int failures = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = ThreadCpuMs();
        if (commands.SetMute(wallMs.size() % 2 == 0) != kFrameSize) ++failures;
        cpuMs += ThreadCpuMs() - cpuStart;
        wallMs.push_back(std::chrono::duration<double, std::milli>(
                             std::chrono::steady_clock::now() - start)
                             .count());
    }
    std::sort(wallMs.begin(), wallMs.end());
    const double median = wallMs[wallMs.size() / 2];
    state.counters["median_ms"] = median;
    state.counters["overhead_ms"] = median - DeviceLink::kSendPauseMs;
    state.counters["cpu_ms"] = cpuMs / static_cast<double>(wallMs.size());
    state.counters["failures"] = failures;
    state.counters["reader_copies"] = static_cast<double>(traffic.Copies());
}

void BM_ConfirmedCommandOverPty(benchmark::State& state) {
    SystemClock clock;
    DeviceLink link(clock);
    link.SetUseSerial(1);
    if (link.Open("", 0, Simulator().ptyPath()) == 0) {
        state.SkipWithError("could not open the pseudo-terminal");
        return;
    }
    RunConfirmedCommands(state, link);
    link.Close();
}

void BM_ConfirmedCommandOverTcp(benchmark::State& state) {
    SystemClock clock;
    DeviceLink link(clock);
    link.SetUseSerial(0);
    if (link.Open("127.0.0.1", Simulator().tcpPort(), "") == 0) {
        state.SkipWithError("could not connect over loopback");
        return;
    }
    RunConfirmedCommands(state, link);
    link.Close();
}

// No pause is real here: the time is the link's framing, reply assembly and record, and the
// simulator's answer.
void BM_ConfirmedCommandInProcess(benchmark::State& state) {
    VirtualClock clock;
    sim::SimulatedProcessor processor;
    sim::InProcessTransport transport(processor, clock);
    DeviceLink link(clock);
    link.AttachTransport(&transport);
    DeviceCommands commands(link);
    TrafficSetting traffic(state, link);
    bool on = false;
    for (auto _ : state) {
        if (commands.SetMute(on = !on) != kFrameSize) state.SkipWithError("no reply");
    }
    state.counters["reader_copies"] = static_cast<double>(traffic.Copies());
}

BENCHMARK(BM_ConfirmedCommandOverPty)
    ->ArgName("record")->DenseRange(0, 2)->Iterations(25)->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConfirmedCommandOverTcp)
    ->ArgName("record")->DenseRange(0, 2)->Iterations(25)->UseRealTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ConfirmedCommandInProcess)
    ->ArgName("record")->DenseRange(0, 2)->Repetitions(5)->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
