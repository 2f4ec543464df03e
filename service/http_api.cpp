#include "service/http_api.h"

#include <nlohmann/json.hpp>

#include "app/main_window_state.h"
#include "config/input_profile.h"
#include "output/mode_layouts.h"
#include "service/access_token.h"
#include "service/remote_json.h"
#include "service/web_assets.h"

namespace hsq {
namespace {

using Json = nlohmann::json;

constexpr std::string_view kApiPrefix = "/api/v1/";
constexpr std::string_view kBearer = "Bearer ";
// The layouts are drawn on the processor's default picture until it has said which it shows.
constexpr OutputResolution kDefaultResolution{6, 1920, 1080};

HttpAnswer Error(int status, std::string_view english, std::string_view chinese) {
    return {status, "application/json", JsonText(ErrorJson(english, chinese))};
}

HttpAnswer Ok(const Json& json) { return {200, "application/json", JsonText(json)}; }

std::vector<std::string> Segments(std::string_view tail) {
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= tail.size()) {
        const auto slash = std::min(tail.find('/', start), tail.size());
        segments.emplace_back(tail.substr(start, slash - start));
        start = slash + 1;
    }
    return segments;
}

bool Matches(const std::vector<std::string_view>& pattern, const std::vector<std::string>& path) {
    if (pattern.size() != path.size()) return false;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (pattern[i] != "*" && pattern[i] != path[i]) return false;
    }
    return true;
}

// The body's JSON object; none when it is no JSON object.
std::optional<Json> BodyObject(const std::string& body) {
    Json json = Json::parse(body, nullptr, false);
    if (json.is_discarded() || !json.is_object()) return std::nullopt;
    return json;
}

HttpAnswer NotFound(const std::string& path) {
    return Error(404, "no such resource: " + path, "没有这个资源：" + path);
}

HttpAnswer NotAnObject() {
    return Error(400, "the body is not a JSON object", "请求内容不是 JSON 对象");
}

HttpAnswer FieldMissing(std::string_view field, std::string_view english, std::string_view chinese) {
    const std::string name = "\"" + std::string(field) + "\" ";
    return Error(400, name + std::string(english), name + std::string(chinese));
}

std::optional<long long> WholeNumber(const Json& body, const char* field) {
    const auto at = body.find(field);
    if (at == body.end() || !at->is_number_integer()) return std::nullopt;
    return at->get<long long>();
}

bool Present(const ProcessorStatus& status, int board) {
    return board < kInputCardCount ? status.presence.input[board]
                                   : status.presence.output[board - kInputCardCount];
}

HttpAnswer NoSuchCard(int board) {
    const std::string letter = BoardLetter(board);
    return Error(404, "the processor holds no card " + letter, "处理器没有板卡 " + letter);
}

}  // namespace

HttpApi::HttpApi(DeviceCommands& commands, Clock& clock, RemoteState& state, ProfileStore& store,
                 HeadlessTimers& timers, Settings settings)
    : commands_(commands),
      clock_(clock),
      state_(state),
      store_(store),
      timers_(timers),
      settings_(std::move(settings)),
      limit_(clock, settings_.requestsPerSecond, settings_.burst) {}

const std::vector<HttpApi::RouteEntry>& HttpApi::Routes() {
    static const std::vector<RouteEntry> routes{
        {"GET", {"status"}, &HttpApi::GetStatus},
        {"GET", {"boards", "*", "modes"}, &HttpApi::GetModes},
        {"POST", {"boards", "*", "recall"}, &HttpApi::PostRecall},
        {"POST", {"boards", "*", "brightness"}, &HttpApi::PostBrightness},
        {"POST", {"inputs", "*", "source"}, &HttpApi::PostSource},
        {"POST", {"inputs", "*", "brightness"}, &HttpApi::PostBrightness},
        {"GET", {"timers"}, &HttpApi::GetTimers},
        {"POST", {"timers", "*", "*"}, &HttpApi::PostTimers},
        {"GET", {"events"}, &HttpApi::GetEvents},
    };
    return routes;
}

// A refused request never reaches the line: the rate, the size and the token are looked at
// before any route.
// The page's own files cost the line nothing, so only the rest counts against the client's rate:
// a tablet reloading the page is never refused its next command.
HttpAnswer HttpApi::Handle(const HttpRequest& request) {
    if (request.method == "GET" && !request.path.starts_with(kApiPrefix)) {
        if (const auto asset = FindWebAsset(request.path))
            return {200, std::string(asset->contentType), std::string(asset->body)};
    }
    if (const auto wait = limit_.Take(request.client)) {
        HttpAnswer answer = Error(429, "too many requests: wait " + std::to_string(*wait) + " s",
                                  "请求太多：请等待 " + std::to_string(*wait) + " 秒");
        answer.retryAfterSeconds = *wait;
        return answer;
    }
    if (request.body.size() > kBodyLimit)
        return Error(413, kBodyTooLarge.english, kBodyTooLarge.chinese);
    if (request.path.starts_with(kApiPrefix))
        return Api(request, std::string_view(request.path).substr(kApiPrefix.size()));
    return NotFound(request.path);
}

HttpAnswer HttpApi::Api(const HttpRequest& request, std::string_view tail) {
    const std::vector<std::string> path = Segments(tail);
    const bool events = path == std::vector<std::string>{"events"};
    if (!Authorised(request, events))
        return Error(401, "a valid access token is needed (Authorization: Bearer ...)",
                     "需要有效的访问令牌 (Authorization: Bearer ...)");
    bool pathKnown = false;
    for (const RouteEntry& entry : Routes()) {
        if (!Matches(entry.pattern, path)) continue;
        pathKnown = true;
        if (entry.method == request.method) return (this->*entry.route)(request, path);
    }
    if (pathKnown)
        return Error(405, request.method + " is not taken at " + request.path,
                     request.path + " 不接受 " + request.method);
    return NotFound(request.path);
}

bool HttpApi::Authorised(const HttpRequest& request, bool events) const {
    if (!settings_.token) return true;
    const std::string_view header = request.authorization;
    if (header.starts_with(kBearer) && SameToken(header.substr(kBearer.size()), *settings_.token))
        return true;
    return events && SameToken(request.queryToken, *settings_.token);
}

HttpAnswer HttpApi::GetStatus(const HttpRequest&, const std::vector<std::string>&) {
    return Ok(StatusJson(state_.Status().value_or(ProcessorStatus{}), state_.Answering(),
                         settings_.language));
}

HttpAnswer HttpApi::GetModes(const HttpRequest&, const std::vector<std::string>& at) {
    const auto board = BoardIndex(at[1]);
    if (!board || *board < kInputCardCount)
        return Error(404, at[1] + " is not an output card (K or L)",
                     at[1] + " 不是输出卡 (K 或 L)");
    const auto status = state_.Status();
    if (status && !Present(*status, *board)) return NoSuchCard(*board);
    const int card = *board - kInputCardCount;
    const OutputResolution resolution =
        status && status->resolution ? *status->resolution : kDefaultResolution;
    return Ok(ModesJson(card, ReadModeLayouts(store_, card, resolution),
                        status ? status->displayModes[card] : std::nullopt));
}

HttpAnswer HttpApi::PostRecall(const HttpRequest& request, const std::vector<std::string>& at) {
    const auto body = BodyObject(request.body);
    if (!body) return NotAnObject();
    const auto mode = WholeNumber(*body, "mode");
    if (!mode) return FieldMissing("mode", "must be a whole number 1 .. 16", "必须是 1 .. 16 的整数");
    return Carry(CheckRecall(at[1], *mode));
}

HttpAnswer HttpApi::PostSource(const HttpRequest& request, const std::vector<std::string>& at) {
    const auto body = BodyObject(request.body);
    if (!body) return NotAnObject();
    const auto signal = body->find("signal");
    if (signal == body->end() || !signal->is_string())
        return FieldMissing("signal", "must be \"sdi\", \"dvi\", \"vga\" or \"video\"",
                            "必须是 \"sdi\"、\"dvi\"、\"vga\" 或 \"video\"");
    return Carry(CheckSource(at[1], signal->get<std::string>()));
}

// The same route for input cards and output boards: the letter tells which range applies.
HttpAnswer HttpApi::PostBrightness(const HttpRequest& request, const std::vector<std::string>& at) {
    const auto body = BodyObject(request.body);
    if (!body) return NotAnObject();
    const auto value = WholeNumber(*body, "value");
    if (!value) return FieldMissing("value", "must be a whole number", "必须是整数");
    const auto board = BoardIndex(at[1]);
    const bool input = at[0] == "inputs";
    if (board && (*board < kInputCardCount) != input) {
        return Error(404, at[1] + (input ? " is not an input card" : " is not an output card"),
                     at[1] + (input ? " 不是输入卡" : " 不是输出卡"));
    }
    return Carry(CheckBrightness(at[1], *value));
}

HttpAnswer HttpApi::Carry(const CheckedRequest& checked) {
    if (!checked.request)
        return Error(checked.problem.unknownCard ? 404 : 400, checked.problem.english,
                     checked.problem.chinese);
    const BoardRequest& request = *checked.request;
    const auto status = state_.Status();
    if (status && !Present(*status, request.board)) return NoSuchCard(request.board);
    bool confirmed = false;
    {
        const auto hold = commands_.link().HoldLine();
        BoardActions actions(commands_, clock_);
        confirmed = CarryOut(actions, request);
    }
    state_.Look();  // the record and the events follow before the answer goes
    if (!confirmed)
        return Error(502, "the processor did not confirm; nothing was changed",
                     "处理器没有确认，没有作任何改变");
    return Ok(ChangeJson(request));
}

HttpAnswer HttpApi::GetTimers(const HttpRequest&, const std::vector<std::string>&) {
    Json sections = Json::array();
    const auto pending = timers_.Pending();
    const LocalTime today = clock_.LocalNow();
    for (TimerSection section : kTimerSections)
        sections.push_back(SectionJson(section, timers_.Running(section), pending, today));
    return Ok({{"sections", sections}});
}

HttpAnswer HttpApi::PostTimers(const HttpRequest& request, const std::vector<std::string>& at) {
    const auto section = SectionNamed(at[1]);
    const bool start = at[2] == "start";
    if (!section || (!start && at[2] != "stop"))
        return NotFound(request.path);
    if (start) {
        timers_.Start(*section);
    } else {
        timers_.Stop(*section);
    }
    return Ok(SectionJson(*section, timers_.Running(*section), timers_.Pending(), clock_.LocalNow()));
}

HttpAnswer HttpApi::GetEvents(const HttpRequest&, const std::vector<std::string>&) {
    HttpAnswer answer{200, "text/event-stream", {}};
    answer.eventStream = true;
    return answer;
}

}  // namespace hsq
