// The remote control's HTTP interface on a loopback socket, with 1 and 20 clients at once, in
// front of a simulated processor on virtual time: the pacing of the line (about 1.2 s of real
// time per recall) costs nothing here, so what is measured is what the server adds to it.
// GET /status: requests per second. POST /boards/K/recall: each request's real time, whose
// median is reported as median_ms.
#include <benchmark/benchmark.h>
#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "service/http_server.h"
#include "support/simulated_remote.h"

namespace hsq {
namespace {

// One server for the whole run.
struct Remote {
    Remote() : server(*simulated.api, simulated.events) {
        std::string error;
        if (!server.Start({"127.0.0.1", 0}, error)) std::abort();
    }
    testing::SimulatedRemote simulated;
    HttpServer server;
};

Remote& TheRemote() {
    static Remote* remote = new Remote;  // lives to the end of the run
    return *remote;
}

// Each client's requests one after the other, each timed on the real clock; the median of a
// client's requests is reported as median_ms, averaged over the clients.
void TimedRequests(benchmark::State& state,
                   const std::function<httplib::Result(httplib::Client&, int)>& request) {
    httplib::Client client("127.0.0.1", TheRemote().server.Port());
    std::vector<double> latenciesMs;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const auto answer = request(client, static_cast<int>(latenciesMs.size()));
        latenciesMs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
        if (!answer) return state.SkipWithError(httplib::to_string(answer.error()).c_str());
        if (answer->status != 200) return state.SkipWithError(answer->body.c_str());
    }
    const auto middle = latenciesMs.begin() + latenciesMs.size() / 2;
    std::nth_element(latenciesMs.begin(), middle, latenciesMs.end());
    state.counters["median_ms"] = benchmark::Counter(*middle, benchmark::Counter::kAvgThreads);
    state.SetItemsProcessed(state.iterations());
}

void BM_GetStatus(benchmark::State& state) {
    TimedRequests(state, [](httplib::Client& client, int) { return client.Get("/api/v1/status"); });
}
BENCHMARK(BM_GetStatus)->Threads(1)->Threads(20)->UseRealTime();

void BM_PostRecall(benchmark::State& state) {
    TimedRequests(state, [](httplib::Client& client, int number) {
        return client.Post("/api/v1/boards/K/recall",
                           "{\"mode\": " + std::to_string(number % 16 + 1) + "}",
                           "application/json");
    });
}
BENCHMARK(BM_PostRecall)->Threads(1)->Threads(20)->UseRealTime();

}  // namespace
}  // namespace hsq

BENCHMARK_MAIN();
