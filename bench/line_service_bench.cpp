// A status query made straight on the link against one made through the line service, both to
// a simulated processor in this process on virtual time: with the pacing taken out, what is left
// is the cost of the exchange itself, and the difference is what the service adds.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "commands/reply_decoders.h"
#include "service/line_client.h"
#include "service/line_service.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"

namespace hsq {
namespace {

struct Processor {
    Processor() { link.AttachTransport(&transport); }
    VirtualClock clock;
    sim::SimulatedProcessor processor;
    sim::InProcessTransport transport{processor, clock};
    DeviceLink link{clock};
    DeviceCommands commands{link};
};

void AskStatus(benchmark::State& state, DeviceCommands& commands) {
    for (auto _ : state) {
        Frame reply{};
        if (commands.Query(kQueryStatus, 0, reply) != kFrameSize) state.SkipWithError("no reply");
        benchmark::DoNotOptimize(reply);
    }
}

void BM_QueryDirect(benchmark::State& state) {
    Processor processor;
    AskStatus(state, processor.commands);
}
BENCHMARK(BM_QueryDirect)->Unit(benchmark::kMicrosecond);

void BM_QueryThroughService(benchmark::State& state) {
    Processor processor;
    std::string folder = (std::filesystem::temp_directory_path() / "hsq-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) return state.SkipWithError("no folder");
    const std::filesystem::path socket = std::filesystem::path(folder) / "line.sock";
    LineService service(processor.commands);
    std::string error;
    if (!service.Start(socket, error)) return state.SkipWithError(error.c_str());
    {
        const auto client = LineClient::Connect(socket);
        VirtualClock clock;
        DeviceLink link(clock);
        link.AttachRemote(client.get());
        DeviceCommands commands(link);
        AskStatus(state, commands);
        link.AttachRemote(nullptr);
    }
    service.Stop();
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_QueryThroughService)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace hsq

BENCHMARK_MAIN();
