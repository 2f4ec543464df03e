// The remote control's routes without sockets, against the simulated processor on virtual time:
// the frames each request puts on the line, its answer, the record and the events that follow.
#include "service/http_api.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "commands/command_names.h"
#include "config/default_configuration.h"
#include "modes/mode_test_support.h"
#include "scheduler/timer_worker.h"
#include "service/access_token.h"
#include "service/line_client.h"
#include "service/line_service.h"
#include "sim/card_set.h"
#include "sim/sim_link.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

using Json = nlohmann::json;
// A command frame as the processor received it: the code and the first two data bytes.
using Sent = std::array<int, 3>;

class HttpApiTest : public ::testing::Test {
  protected:
    explicit HttpApiTest(HttpApi::Settings settings = {}, std::string_view cards = "A,B,C,D,K")
        : sim(sim::ProcessorState(*sim::ParseCardList(cards))),
          store((WriteDefaultConfiguration(folder.path()), folder.path())),
          api(sim.commands, sim.clock, state, store, *timers, std::move(settings)) {
        sim.link.AttachTransport(&tap);
        state.Refresh();
        listener = events.Listen();
        tap.frames.clear();
    }
    ~HttpApiTest() override {
        timers.reset();
        FinishStoppedTimerWorkers();
    }

    HttpAnswer Ask(const std::string& method, const std::string& path, std::string body = {},
                   std::string authorization = {}) {
        return api.Handle({method, path, {}, std::move(authorization), std::move(body), "10.0.0.7"});
    }
    // The command frames the processor received, queries left out.
    std::vector<Sent> Commands() const {
        std::vector<Sent> sent;
        for (const Frame& frame : tap.frames) {
            if (frame[2] != kQueryCode) sent.push_back({frame[2], frame[3], frame[4]});
        }
        return sent;
    }
    std::vector<RemoteEvent> Told() {
        std::vector<RemoteEvent> told;
        while (auto event = listener->Next(0)) told.push_back(*event);
        return told;
    }
    Json DisplayModes() {
        const Json status = Json::parse(Ask("GET", "/api/v1/status").body);
        return {status["outputs"][0]["displayMode"], status["outputs"][1]["displayMode"]};
    }

    testing::TempFolder folder;
    sim::testing::SimLink sim;
    testing::FrameTap tap{sim.transport};
    ProfileStore store;
    std::optional<HeadlessTimers> timers{std::in_place, sim.commands, sim.clock, store,
                                         [](const std::string&) {}};
    RemoteEvents events;
    RemoteState state{sim.commands, events};
    HttpApi api;
    std::shared_ptr<RemoteEvents::Listener> listener;
};

TEST_F(HttpApiTest, EachCommandPutsItsFramesOnTheLineAndAnswersWhatWasConfirmed) {
    struct Case {
        std::string path;
        std::string body;
        std::vector<Sent> frames;
        std::string answer;
        RemoteEvent event;
    };
    const std::vector<Case> cases{
        {"/api/v1/boards/K/recall", R"({"mode": 3})", {{0x8D, 0, 0}, {0x8E, 2, 1}},
         R"({"board":"K","mode":3})", {"recall", R"({"board":"K","mode":3})"}},
        {"/api/v1/inputs/c/source", R"({"signal": "DVI"})", {{0x80, 2, 0}, {0x81, 0, 1}},
         R"({"card":"C","signal":"dvi"})", {"source", R"({"card":"C","signal":"dvi"})"}},
        {"/api/v1/inputs/B/brightness", R"({"value": 100})", {{0x80, 1, 0}, {0x88, 0, 100}},
         R"({"board":"B","card":"B","value":100})",
         {"brightness", R"({"board":"B","card":"B","value":100})"}},
        {"/api/v1/boards/K/brightness", R"({"value": 0})", {{0x8D, 0, 0}, {0x9F, 0, 0}},
         R"({"board":"K","value":0})", {"brightness", R"({"board":"K","value":0})"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        tap.frames.clear();
        const HttpAnswer answer = Ask("POST", c.path, c.body);
        EXPECT_EQ(answer.status, 200) << answer.body;
        EXPECT_EQ(answer.body, c.answer);
        EXPECT_EQ(Commands(), c.frames);
        EXPECT_EQ(Told(), std::vector<RemoteEvent>{c.event});
    }
    EXPECT_EQ(DisplayModes(), Json::parse("[3, null]"));
}

// Every refusal names what is wrong in both languages, and only an unconfirmed command reached
// the line.
TEST_F(HttpApiTest, RefusalsSayWhatIsWrongAndOnlyAnUnconfirmedCommandReachedTheLine) {
    struct Case {
        std::string method, path, body;
        int status;
        std::string english;
    };
    const std::vector<Case> cases{
        {"POST", "/api/v1/boards/K/recall", "{\"mode\": 3", 400, "not a JSON object"},
        {"POST", "/api/v1/inputs/A/brightness", "{\"value\": 101}", 400, "brightness 101 is not"},
        {"POST", "/api/v1/boards/L/recall", "{\"mode\": 3}", 404, "holds no card L"},
        {"POST", "/api/v1/inputs/K/brightness", "{\"value\": 3}", 404, "K is not an input card"},
        {"GET", "/api/v1/nothing", "", 404, "no such resource"},
        {"GET", "/api/v1/boards/K/recall", "", 405, "GET is not taken"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " " + c.body.substr(0, 40));
        const HttpAnswer answer = Ask(c.method, c.path, c.body);
        EXPECT_EQ(answer.status, c.status);
        const Json error = Json::parse(answer.body)["error"];
        EXPECT_NE(error["en"].get<std::string>().find(c.english), std::string::npos) << answer.body;
        EXPECT_FALSE(error["zh"].get<std::string>().empty());
    }
    EXPECT_TRUE(tap.frames.empty());
    EXPECT_TRUE(Told().empty());

    // A processor that stops answering: nothing recorded, and its silence is told.
    tap.silence = [](const Frame&) { return true; };
    const HttpAnswer unconfirmed = Ask("POST", "/api/v1/boards/K/recall", R"({"mode": 9})");
    EXPECT_EQ(unconfirmed.status, 502);
    EXPECT_EQ(Json::parse(unconfirmed.body)["error"]["en"],
              "the processor did not confirm; nothing was changed");
    EXPECT_EQ(Commands(), (std::vector<Sent>{{0x8D, 0, 0}, {0x8E, 8, 1}}));
    EXPECT_EQ(DisplayModes(), Json::parse("[1, null]"));
    EXPECT_EQ(Told(), (std::vector<RemoteEvent>{{"health", R"({"answering":false})"}}));
    EXPECT_EQ(Json::parse(Ask("GET", "/api/v1/status").body)["answering"], false);
}

TEST_F(HttpApiTest, TimersStartAndStopBySectionAndSayWhatIsPending) {
    folder.Write("Timer.ini", "[TIMEROUT]\r\nTimer=1\r\nTimer0=1,3,23:00:00,5\r\n");
    sim.clock.SetHorizon({2026, 1, 1, 12, 0, 0});  // the worker waits, nothing fires
    const Json started = Json::parse(Ask("POST", "/api/v1/timers/output/start").body);
    EXPECT_EQ(started, Json::parse(R"({"name":"output","running":true,
        "pending":[{"time":"2026-01-01 23:00:00","text":"K Mode4"}]})"));
    const Json all = Json::parse(Ask("GET", "/api/v1/timers").body);
    EXPECT_EQ(all["sections"][0]["running"], false);
    EXPECT_EQ(all["sections"][1], started);
    EXPECT_EQ(Json::parse(Ask("POST", "/api/v1/timers/output/stop").body)["running"], false);
}

// What --http takes, and which of its hosts only this machine can reach.
TEST(HttpAddress, OnlyLoopbackIsTakenWithoutAToken) {
    struct Case {
        std::string text;
        std::string host;  // empty: refused as no ADDRESS:PORT
        bool loopback;
    };
    const std::vector<Case> cases{
        {"127.200.3.4:1", "127.200.3.4", true}, {"[::1]:8026", "::1", true},
        {"128.0.0.1:8026", "128.0.0.1", false}, {"0.0.0.0:8026", "0.0.0.0", false},
        {"[::]:8026", "::", false},             {"wall-pc:80", "wall-pc", false},
        {"::1:8026", "", false},                {"127.0.0.1:80x", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const auto address = ParseHttpAddress(c.text);
        EXPECT_EQ(address ? address->host : "", c.host);
        if (address) {
            EXPECT_EQ(IsLoopbackHost(address->host), c.loopback);
        }
    }
}

class TokenTest : public HttpApiTest {
  protected:
    TokenTest() : HttpApiTest(HttpApi::Settings{"s3cret", kEnglish, 1, 2}) {}
};

TEST_F(TokenTest, OnlyTheRightBearerTokenGetsInAndTheEventStreamAlsoTakesItInTheQuery) {
    struct Case {
        std::string path, authorization, queryToken;
        int status;
    };
    const std::vector<Case> cases{
        {"/api/v1/status", "", "", 401},
        {"/api/v1/status", "Bearer s3cre", "", 401},
        {"/api/v1/status", "Bearer s3cret!", "", 401},
        {"/api/v1/status", "bearer s3cret", "", 401},
        {"/api/v1/status", "", "s3cret", 401},
        {"/api/v1/status", "Bearer s3cret", "", 200},
        {"/api/v1/events", "", "s3cret", 200},
        {"/api/v1/events", "", "wrong", 401},
        {"/", "", "", 200},  // the page holds no secret; its requests carry the token
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " [" + c.authorization + "] [" + c.queryToken + "]");
        sim.clock.SleepMs(1000);  // within the rate
        const HttpAnswer answer =
            api.Handle({"GET", c.path, c.queryToken, c.authorization, {}, "10.0.0.7"});
        EXPECT_EQ(answer.status, c.status) << answer.body;
        EXPECT_EQ(answer.eventStream, c.path == "/api/v1/events" && c.status == 200);
    }
}

// One request a second with two at once: the third at once is told to wait, and no frame goes
// out for it, while the page still loads; another client is not held up, and the first may go on a
// second later.
TEST_F(TokenTest, AFloodIsSlowedWithoutTouchingTheLine) {
    const std::string token = "Bearer s3cret";
    EXPECT_EQ(Ask("GET", "/api/v1/status", {}, token).status, 200);
    EXPECT_EQ(Ask("GET", "/api/v1/status", {}, token).status, 200);
    const HttpAnswer refused = Ask("POST", "/api/v1/boards/K/recall", R"({"mode": 2})", token);
    EXPECT_EQ(refused.status, 429);
    EXPECT_EQ(refused.retryAfterSeconds, 1);
    EXPECT_EQ(Ask("GET", "/", {}, {}).status, 200);  // the page's files never count
    EXPECT_TRUE(tap.frames.empty());
    EXPECT_EQ(api.Handle({"GET", "/api/v1/status", {}, token, {}, "10.0.0.8"}).status, 200);
    sim.clock.SleepMs(1000);
    EXPECT_EQ(Ask("POST", "/api/v1/boards/K/recall", R"({"mode": 2})", token).status, 200);
}

// A program of this machine (the desktop application, the command line) through the line
// service, and the API, on one line: what the other program changed reaches the status and the
// events. (That a held line keeps the others waiting is the line service test's.)
TEST_F(HttpApiTest, AnotherProgramOnTheServedLineHasItsRecallReachStatusAndEvents) {
    LineService service(sim.commands);
    const auto socket = folder / "line.sock";
    std::string error;
    ASSERT_TRUE(service.Start(socket, error)) << error;
    auto client = LineClient::Connect(socket);
    ASSERT_TRUE(client);
    VirtualClock desktopClock;
    DeviceLink desktopLink(desktopClock);
    desktopLink.AttachRemote(client.get());
    DeviceCommands desktop(desktopLink);

    EXPECT_EQ(desktop.SelectOutputBoard(1, 0), kFrameSize);
    EXPECT_EQ(desktop.RecallMode(6, true), kFrameSize);
    EXPECT_EQ(Ask("POST", "/api/v1/boards/K/recall", R"({"mode": 4})").status, 200);
    desktopLink.AttachRemote(nullptr);
    EXPECT_EQ(Commands(), (std::vector<Sent>{{0x8D, 1, 0}, {0x8E, 6, 1}, {0x8D, 0, 0}, {0x8E, 3, 1}}));
    EXPECT_EQ(DisplayModes(), Json::parse("[4, 7]"));
    EXPECT_EQ(Told(), (std::vector<RemoteEvent>{{"recall", R"({"board":"L","mode":7})"},
                                                {"recall", R"({"board":"K","mode":4})"}}));
}

}  // namespace
}  // namespace hsq
