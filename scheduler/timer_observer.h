#pragma once

#include "scheduler/timer_record.h"

namespace hsq {

// Told when the pending entries change: an entry was carried out and removed, a new day's entries
// were built at midnight, or a section was started or stopped. Called from the thread that
// changed them (the worker, or the caller of TimerRunner's Start, Stop and StopAll), never with
// the schedule locked, so it may read TimerRunner::Pending() at once; a window hands the call to
// its own thread and reads there.
class TimerObserver {
  public:
    virtual ~TimerObserver() = default;
    virtual void PendingChanged() = 0;
    // A timer was carried out, on the worker's thread: confirmed when the processor confirmed
    // every one of its commands.
    virtual void CarriedOut(const TimerRecord& /*record*/, bool /*confirmed*/) {}
};

}  // namespace hsq
