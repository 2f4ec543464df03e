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

// Runs today's timers of the started sections, with or without a window: what the timer
// dialog's Start and Close buttons and its closing drive. Start, Stop, StopAll and
// WaitForWorker are called from one controlling thread; the queries from any thread.
class TimerRunner {
  public:
    // The observer, when given, must outlive the runner.
    TimerRunner(DeviceCommands& commands, Clock& clock, TimerObserver* observer = nullptr);
    // Stops everything (StopAll).
    ~TimerRunner();
    TimerRunner(const TimerRunner&) = delete;
    TimerRunner& operator=(const TimerRunner&) = delete;

    // Schedules the section's records that fall due later today and starts a worker when none is
    // active. The records are kept, as they are now, for rebuilding after another section stops:
    // later edits take effect at the section's next start.
    void Start(TimerSection section, std::vector<TimerRecord> records);
    // Rebuilds the schedule from the sections still started; a stopped section's entries never
    // fire, also one the worker is waiting for. After the last section, waits for the worker to
    // end (it may finish the command exchange in progress).
    void Stop(TimerSection section);
    // Closing the timer dialog: every section stopped, the worker ended.
    void StopAll();
    // Waits until the worker has carried out everything scheduled (a run without a window).
    void WaitForWorker();

    // "Input card also response": a recall is followed by 6000 ms instead of 500 ms. Read by the
    // worker when it carries out each entry.
    void SetInputCardAlsoResponds(bool on) { inputCardAlsoResponds_ = on; }

    bool IsRunning(TimerSection section) const { return schedule_.IsRunning(section); }
    bool WorkerActive() const { return schedule_.WorkerActive(); }
    // The pending list, first entry first.
    std::vector<TimerRecord> Pending() const { return schedule_.Pending(); }

  private:
    void NotifyPendingChanged();

    DeviceCommands& commands_;
    Clock& clock_;
    TimerObserver* observer_;
    std::atomic<bool> inputCardAlsoResponds_{false};
    TimerSchedule schedule_;
    std::unique_ptr<TimerWorker> worker_;
};

}  // namespace hsq
