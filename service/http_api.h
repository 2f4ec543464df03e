#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands/device_commands.h"
#include "config/profile_store.h"
#include "dialog/bilingual.h"
#include "link/clock.h"
#include "service/client_rate_limit.h"
#include "service/headless_timers.h"
#include "service/remote_state.h"

namespace hsq {

// One HTTP request as the server library hands it over.
struct HttpRequest {
    std::string method;
    std::string path;           // without the query
    std::string queryToken;     // "?token=": the event stream's only way for a browser
    std::string authorization;  // the Authorization header
    std::string body;
    std::string client;         // the peer's address
};

struct HttpAnswer {
    int status = 200;
    std::string contentType = "application/json";
    std::string body;
    int retryAfterSeconds = 0;  // with 429
    bool eventStream = false;   // the event stream was granted: the server streams the events
};

// The remote control's routes, without sockets: every command goes through the same core
// operations as the command line, holding the line for the whole action, and the answers come
// from what the processor confirmed.
class HttpApi {
  public:
    static constexpr std::size_t kBodyLimit = 4096;

    struct Settings {
        std::optional<std::string> token;  // none: no token is asked for (loopback only)
        LanguageFlag language = kEnglish;
        double requestsPerSecond = 10;
        double burst = 30;
    };

    HttpApi(DeviceCommands& commands, Clock& clock, RemoteState& state, ProfileStore& store,
            HeadlessTimers& timers, Settings settings);

    HttpAnswer Handle(const HttpRequest& request);

  private:
    using Route = HttpAnswer (HttpApi::*)(const HttpRequest&, const std::vector<std::string>&);
    struct RouteEntry {
        std::string_view method;
        std::vector<std::string_view> pattern;  // "*" takes any one path segment
        Route route;
    };
    static const std::vector<RouteEntry>& Routes();

    HttpAnswer Api(const HttpRequest& request, std::string_view tail);
    bool Authorised(const HttpRequest& request, bool events) const;

    HttpAnswer GetStatus(const HttpRequest&, const std::vector<std::string>&);
    HttpAnswer GetModes(const HttpRequest&, const std::vector<std::string>& at);
    HttpAnswer PostRecall(const HttpRequest& request, const std::vector<std::string>& at);
    HttpAnswer PostSource(const HttpRequest& request, const std::vector<std::string>& at);
    HttpAnswer PostBrightness(const HttpRequest& request, const std::vector<std::string>& at);
    HttpAnswer GetTimers(const HttpRequest&, const std::vector<std::string>&);
    HttpAnswer PostTimers(const HttpRequest&, const std::vector<std::string>& at);
    HttpAnswer GetEvents(const HttpRequest&, const std::vector<std::string>&);

    // The checked request carried out on a card the processor holds.
    HttpAnswer Carry(const CheckedRequest& checked);
    HttpAnswer Section(TimerSection section);

    DeviceCommands& commands_;
    Clock& clock_;
    RemoteState& state_;
    ProfileStore& store_;
    HeadlessTimers& timers_;
    Settings settings_;
    ClientRateLimit limit_;
};

}  // namespace hsq
