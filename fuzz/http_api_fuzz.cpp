// Any request as the HTTP library may hand it over (method, path, token, body): the routes
// answer with one of their statuses and JSON in both languages, or a page file, and never crash.
// The input is the method, the path and the Authorization header on lines of their own, then
// the body; its first byte chooses whether a token is asked for. Starting a timer section is
// left out: its worker would run day after day on the virtual clock.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "support/simulated_remote.h"

namespace {

using namespace hsq;

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

// One processor and both kinds of API for the whole run, without a rate limit that would hide
// the routes.
struct Remote {
    testing::SimulatedRemote simulated;
    HttpApi guarded{simulated.commands, simulated.clock, simulated.state, *simulated.store,
                    *simulated.timers,
                    {"token", kChinese, testing::SimulatedRemote::kUnlimited,
                     testing::SimulatedRemote::kUnlimited}};
};

Remote& TheRemote() {
    static Remote* remote = new Remote;  // lives to the end of the run
    return *remote;
}

std::string Line(std::string_view& input) {
    const auto end = input.find('\n');
    const std::string line(input.substr(0, end));
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    Remote& remote = TheRemote();
    std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
    HttpRequest request;
    request.method = Line(input);
    request.path = Line(input);
    request.authorization = Line(input);
    request.body = std::string(input);
    request.client = "127.0.0.1";
    if (request.path.find("/start") != std::string::npos) return 0;
    HttpApi& api = (data[0] & 1) != 0 ? remote.guarded : *remote.simulated.api;
    const HttpAnswer answer = api.Handle(request);

    static const std::set<int> kStatuses{200, 400, 401, 404, 405, 413, 502};
    Require(kStatuses.count(answer.status) == 1);
    if (answer.contentType != "application/json" || answer.eventStream) return 0;
    const auto json = nlohmann::json::parse(answer.body, nullptr, false);
    Require(!json.is_discarded());
    if (answer.status != 200) Require(json["error"]["en"].is_string() && json["error"]["zh"].is_string());
    return 0;
}
