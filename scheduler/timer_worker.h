#pragma once

#include <atomic>
#include <thread>

#include "commands/device_commands.h"
#include "link/clock.h"
#include "scheduler/timer_actions.h"
#include "scheduler/timer_observer.h"
#include "scheduler/timer_schedule.h"

namespace hsq {

// The one thread that carries out a schedule's entries: it waits for the first entry's time on
// the clock's cancellable wait (any change of the schedule ends the wait, and the first entry is
// looked at afresh), carries the entry out, removes it, pauses 200 ms, and ends when the
// schedule is empty. An entry whose time has passed, also before the worker began, is carried
// out at once: it was due later today when its section started, so it was only held up.
class TimerWorker {
  public:
    // Starts the thread. The schedule must count this worker as active (TimerSchedule::Start).
    TimerWorker(TimerSchedule& schedule, DeviceCommands& commands, Clock& clock,
                const std::atomic<bool>& inputCardAlsoResponds, TimerObserver* observer);
    // Cuts short the pauses of an entry in progress (its remaining boards are left out) and
    // waits for the thread. The schedule must be empty by then, so that the thread ends.
    ~TimerWorker();
    TimerWorker(const TimerWorker&) = delete;
    TimerWorker& operator=(const TimerWorker&) = delete;

    // Waits for the thread to end by itself, when the schedule has run empty.
    void Join();

  private:
    void Run();

    TimerSchedule& schedule_;
    Clock& clock_;
    const std::atomic<bool>& inputCardAlsoResponds_;
    TimerObserver* observer_;
    Cancellation stop_;
    TimerActions actions_;
    std::thread thread_;
};

}  // namespace hsq
