// The timers of Timer.ini run with no window on virtual time: day after day, a changed file
// picked up, each firing told with its time.
#include "service/headless_timers.h"

#include <gtest/gtest.h>

#include <mutex>

#include "config/default_configuration.h"
#include "scheduler/timer_worker.h"
#include "sim/sim_link.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

TEST(HeadlessTimers, RunDayAfterDayPickUpAChangedFileAndTellEachFiring) {
    testing::TempFolder folder;
    ASSERT_TRUE(WriteDefaultConfiguration(folder.path()));
    folder.Write("Timer.ini",
                 "[TIMERIN]\r\nTimer=1\r\nTimer0=1,2,00:00:05,1,3\r\n"
                 "[TIMEROUT]\r\nTimer=2\r\nTimer0=1,3,13:00:00,5\r\nTimer1=1,3,9:99:00,5\r\n");
    ProfileStore store(folder.path());
    sim::testing::SimLink sim;  // from 2026-01-01 12:00:00
    std::mutex logged;
    std::vector<std::string> log;
    {
        HeadlessTimers timers(sim.commands, sim.clock, store, [&](const std::string& line) {
            std::lock_guard hold(logged);
            log.push_back(line);
        });
        sim.clock.SetHorizon({2026, 1, 1, 12, 0, 0});  // the worker waits while all start
        timers.StartOrReload();
        sim.clock.SetHorizon({2026, 1, 2, 12, 0, 0});
        sim.clock.WaitUntilParked();  // waiting for the midnight after, past the horizon
        timers.StartOrReload();       // the file as it was: nothing starts again
        folder.Write("Timer.ini", "[TIMERALL]\r\nTimer=1\r\nTimer0=1,40,20,12:30:00,1,5\r\n");
        std::filesystem::last_write_time(folder / "Timer.ini",
                                         std::filesystem::file_time_type::clock::now() +
                                             std::chrono::hours(1));
        timers.StartOrReload();
        sim.clock.SetHorizon({2026, 1, 3, 0, 0, 0});
        sim.clock.WaitUntilParked();
    }
    FinishStoppedTimerWorkers();
    // Each firing is told once its commands are done, a second or so after its time.
    const std::vector<std::string> expected{
        "2026-01-01 12:00:00 TIMERIN: 1 timers",
        "2026-01-01 12:00:00 The configuration file " + (folder / "Timer.ini").string() +
            " is damaged (not text, without its sections or with incomplete lists): the settings "
            "read from it may be wrong. A copy of it is kept as a .bad file before the program "
            "rewrites it.",
        "2026-01-01 12:00:00 TIMEROUT: 2 timers",
        "2026-01-01 12:00:00 TIMERALL: 0 timers",
        "2026-01-01 13:00:01 TIMEROUT 1,3,13:00:00,5 done",
        "2026-01-02 00:00:06 TIMERIN 1,2,00:00:05,1,3 done",
        "2026-01-02 00:00:06 Timer.ini has changed: its timers start again",
        "2026-01-02 00:00:06 TIMERIN: 0 timers",
        "2026-01-02 00:00:06 TIMEROUT: 0 timers",
        "2026-01-02 00:00:06 TIMERALL: 1 timers",
        "2026-01-02 12:30:01 TIMERALL 1,40,20,12:30:00,1,5 done",
    };
    EXPECT_EQ(log, expected);
}

}  // namespace
}  // namespace hsq
