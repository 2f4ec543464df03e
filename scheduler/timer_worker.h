#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include "commands/device_commands.h"
#include "link/clock.h"
#include "scheduler/timer_observer.h"
#include "scheduler/timer_schedule.h"

namespace hsq {

// The one thread that carries out a schedule's entries while its sections are started: it waits
// on the clock's wall-clock wait for the first entry's time or the next midnight (any change of
// the schedule and any setting of the clock end the wait, and the schedule is looked at afresh),
// carries a due entry out, removes it, pauses 200 ms, and builds each new day's entries. An entry
// whose time has passed (held up behind another, or skipped by the clock set forward) is carried
// out at once.
//
// Stopping never waits for the thread: an exchange with the processor under way is finished
// behind the caller's back, nothing more is sent, the observer is not called again, and the
// thread goes to FinishStoppedTimerWorkers. Besides the commands and the clock, which must live
// until then, it uses only what it shares with the worker object.
class TimerWorker {
  public:
    // Starts the thread for the schedule's active worker (TimerSchedule::Start, WorkerTicket).
    TimerWorker(std::shared_ptr<TimerSchedule> schedule, std::uint64_t ticket,
                DeviceCommands& commands, Clock& clock,
                std::shared_ptr<const std::atomic<bool>> inputCardAlsoResponds,
                TimerObserver* observer);
    // Stops the thread (see above) without waiting for it.
    ~TimerWorker();
    TimerWorker(const TimerWorker&) = delete;
    TimerWorker& operator=(const TimerWorker&) = delete;

  private:
    struct Shared;
    static void Run(const std::shared_ptr<Shared>& shared);

    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};

// Waits for every timer worker stopped so far to end: each finishes the exchange it had under
// way. The program calls this before its link and clock go; a test before its simulated
// processor and virtual clock go.
void FinishStoppedTimerWorkers();

}  // namespace hsq
