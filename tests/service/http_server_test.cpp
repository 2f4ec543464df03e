// The routes on a real loopback socket through the HTTP library: what the library itself must
// do right (the token header, the body limit), against the simulated processor on virtual time.
#include "service/http_server.h"

#include <gtest/gtest.h>
#include <httplib.h>


#include "config/default_configuration.h"
#include "scheduler/timer_worker.h"
#include "sim/sim_link.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

TEST(HttpServer, AsksForTheTokenAndRefusesAnOversizedBodyWithoutTouchingTheLine) {
    testing::TempFolder folder;
    ASSERT_TRUE(WriteDefaultConfiguration(folder.path()));
    ProfileStore store(folder.path());
    sim::testing::SimLink sim;
    std::optional<HeadlessTimers> timers(std::in_place, sim.commands, sim.clock, store,
                                         [](const std::string&) {});
    RemoteEvents events;
    RemoteState state(sim.commands, events);
    ASSERT_TRUE(state.Refresh());
    HttpApi api(sim.commands, sim.clock, state, store, *timers, {"s3cret"});
    HttpServer server(api, events);
    std::string error;
    ASSERT_TRUE(server.Start({"127.0.0.1", 0}, error)) << error;

    httplib::Client client("127.0.0.1", server.Port());
    const auto refused = client.Get("/api/v1/status");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->status, 401);
    EXPECT_EQ(refused->get_header_value("Content-Type"), "application/json");
    const httplib::Headers token{{"Authorization", "Bearer s3cret"}};
    EXPECT_EQ(client.Get("/api/v1/status", token)->status, 200);

    const std::uint64_t before = sim.link.Traffic().LastNumber();
    const auto oversized = client.Post("/api/v1/boards/K/recall", token,
                                       "{\"mode\": 3, \"pad\": \"" + std::string(5000, 'x') + "\"}",
                                       "application/json");
    ASSERT_TRUE(oversized);
    EXPECT_EQ(oversized->status, 413);
    EXPECT_NE(oversized->body.find("larger than 4096 bytes"), std::string::npos) << oversized->body;
    EXPECT_EQ(sim.link.Traffic().LastNumber(), before);

    server.Stop();
    timers.reset();
    FinishStoppedTimerWorkers();
}

}  // namespace
}  // namespace hsq
