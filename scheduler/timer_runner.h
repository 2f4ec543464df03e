#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "commands/device_commands.h"
#include "link/clock.h"
#include "scheduler/timer_observer.h"
#include "scheduler/timer_record.h"
#include "scheduler/timer_schedule.h"
#include "scheduler/timer_worker.h"

namespace hsq {

// Runs the timers of the started sections day after day, with or without a window: what the
// timer dialog's Start and Close buttons and its closing drive. Start, Stop and StopAll are
// called from one controlling thread and never wait for the worker (see TimerWorker); the
// queries from any thread.
class TimerRunner {
  public:
    // The observer, when given, must outlive the runner; it is not called after StopAll.
    TimerRunner(DeviceCommands& commands, Clock& clock, TimerObserver* observer = nullptr);
    // Stops everything (StopAll).
    ~TimerRunner();
    TimerRunner(const TimerRunner&) = delete;
    TimerRunner& operator=(const TimerRunner&) = delete;

    // Schedules the section's records that fall due later today, and on every day after at
    // midnight, and starts a worker when none is active. The records are kept, as they are now:
    // later edits take effect at the section's next start.
    void Start(TimerSection section, std::vector<TimerRecord> records);
    // Drops the section's entries; a stopped section's entries never fire, also one the worker
    // is waiting for. The other sections' entries stay. After the last section the worker stops.
    void Stop(TimerSection section);
    // Closing the timer dialog: every section stopped, the worker stopped.
    void StopAll();
    // Waits until nothing is left to carry out for now: the worker then waits for a later time
    // or the next day (a run without a window, the benchmark).
    void WaitUntilNothingPending() const { schedule_->WaitUntilNothingPending(); }

    // "Input card also response": a recall is followed by 6000 ms instead of 500 ms. Read by the
    // worker when it carries out each entry.
    void SetInputCardAlsoResponds(bool on) { *inputCardAlsoResponds_ = on; }

    bool IsRunning(TimerSection section) const { return schedule_->IsRunning(section); }
    // A worker runs: some section is started.
    bool WorkerActive() const { return schedule_->WorkerActive(); }
    // The pending list, first entry first.
    std::vector<TimerRecord> Pending() const { return schedule_->Pending(); }

  private:
    void NotifyPendingChanged();

    DeviceCommands& commands_;
    Clock& clock_;
    TimerObserver* observer_;
    // Shared with the worker, which may outlive the runner by an exchange.
    std::shared_ptr<std::atomic<bool>> inputCardAlsoResponds_ =
        std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<TimerSchedule> schedule_ = std::make_shared<TimerSchedule>();
    std::unique_ptr<TimerWorker> worker_;
};

}  // namespace hsq
