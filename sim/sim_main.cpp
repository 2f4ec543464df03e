// hsq2600-sim: the simulated processor on a pseudo-terminal and/or loopback TCP. Its first lines
// on standard output name where it listens; it runs until SIGINT or SIGTERM.
#include <pthread.h>
#include <signal.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "link/clock.h"
#include "sim/pty_server.h"
#include "sim/sim_options.h"
#include "sim/simulated_processor.h"
#include "sim/tcp_server.h"
#include "sim/traffic_trace.h"

namespace {

using namespace hsq::sim;

int Fail(const std::string& reason) {
    std::fprintf(stderr, "hsq2600-sim: %s\n", reason.c_str());
    return 1;
}

// The stop signals are taken by sigwait alone: blocked here, before any server thread starts,
// so every thread inherits the mask.
sigset_t BlockStopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    return signals;
}

int Run(const SimOptions& options) {
    const sigset_t stopSignals = BlockStopSignals();
    hsq::SystemClock clock;
    TrafficTrace trace(clock, stdout);
    TrafficTrace* traceOrNone = options.trace ? &trace : nullptr;
    SimulatedProcessor processor(InitialState(options),
                                 FaultInjector(options.faults, options.seed));
    if (options.strict) {
        processor.OnViolation([](const std::string& violation) {
            std::printf("protocol violation: %s\n", violation.c_str());
            std::fflush(stdout);
        });
    }
    std::optional<PtyServer> pty;
    std::optional<TcpServer> tcp;
    std::string error;
    if (options.pty && !pty.emplace(processor, traceOrNone).Open(error))
        return Fail(error);
    if (options.tcpPort && !tcp.emplace(processor, traceOrNone).Open(*options.tcpPort, error))
        return Fail(error);
    if (pty)
        std::printf("pty %s\n", pty->Path().c_str());
    if (tcp)
        std::printf("tcp 127.0.0.1:%u\n", static_cast<unsigned>(tcp->Port()));
    std::fflush(stdout);
    if ((pty && !pty->Start()) || (tcp && !tcp->Start()))
        return Fail("cannot start serving");
    int received = 0;
    sigwait(&stopSignals, &received);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const auto options = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (!options) {
        std::fputs(kSimUsage.data(), stderr);
        return 2;
    }
    return Run(*options);
}
