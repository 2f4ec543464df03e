#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "link/clock.h"
#include "scheduler/timer_record.h"

namespace hsq {

struct ScheduleEntry {
    TimerRecord record;
    std::int64_t dueMs = 0;      // today at the record's time, on MomentMilliseconds' scale
    std::uint64_t serial = 0;    // tells this entry from a later copy of the same record
};

// Today's due timers of the started sections, earliest first; entries due at the same moment
// keep the order they were built in (a section's after those of the sections built before it).
// Taken in build order alone, a timer would wait behind a later one listed before it: a Month
// timer, which the timer list sorts a month ahead, after every other timer of its day. Shared by
// the controlling thread (start, stop) and the worker; every operation takes the schedule's
// lock.
class TimerSchedule {
  public:
    // Marks the section started, keeps its records for rebuilding and appends those due later
    // today. True when no worker is active: the caller must start one, which now counts as
    // active. A section started already is left as it is.
    bool Start(TimerSection section, std::vector<TimerRecord> records, const LocalTime& now);
    // Marks the section stopped and builds the schedule afresh from the sections still started
    // (after 1: 2, 3; after 2: 1, 3; after 3: 2, 1).
    void Stop(TimerSection section, const LocalTime& now);
    void StopAll();

    bool IsRunning(TimerSection section) const;
    bool AnyRunning() const;
    bool WorkerActive() const;
    std::vector<TimerRecord> Pending() const;

    // The worker's side.
    struct Next {
        ScheduleEntry entry;
        std::uint64_t version = 0;
    };
    // The first entry; with none, the worker counts as ended and must end.
    std::optional<Next> NextOrEnd();
    // Waits on the clock for ms, ended early by any change after version was read.
    void WaitWhileUnchanged(Clock& clock, std::uint64_t version, int ms);
    // Removes the entry if a rebuild has not already dropped it.
    void Remove(std::uint64_t serial);

  private:
    void Append(TimerSection section, const LocalTime& now);
    void SortByDue();
    void Changed();

    mutable std::mutex mutex_;
    std::array<bool, kTimerSections.size()> running_{};
    std::array<std::vector<TimerRecord>, kTimerSections.size()> records_;
    std::vector<ScheduleEntry> entries_;
    std::uint64_t nextSerial_ = 0;
    std::uint64_t version_ = 0;
    bool workerActive_ = false;
    Cancellation* waiting_ = nullptr;  // the worker's wait, cut short by a change
};

}  // namespace hsq
