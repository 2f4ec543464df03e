#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

#include "link/clock.h"
#include "scheduler/timer_record.h"

namespace hsq {

struct ScheduleEntry {
    TimerRecord record;
    std::int64_t dueMs = 0;     // its day at the record's time, on MomentMilliseconds' scale
    std::size_t index = 0;      // its record's place in its section's list
    std::uint64_t serial = 0;   // tells this entry from any other
};

// The due timers of the started sections, earliest first; entries due at the same moment keep
// the order their sections were built in (a section's after those of the sections built before
// it), and within a section the list's order. Taken in build order alone, a timer would wait
// behind a later one listed before it: a Month timer, which the timer list sorts a month ahead,
// after every other timer of its day.
//
// Each started section's timers are scheduled for the day it starts (those due later that day)
// and again for every day after it, at local midnight, by the same rules and in the same order
// (built for the one day only, a timer left running fired once and never again). A day
// reached by the clock being set forward is built from its midnight, so that what the step
// skipped still fires; a day reached by setting the clock back is built from then on. An entry
// carried out is remembered for a day or two, so that no build adds it again after the clock was
// set back, and a build never adds an entry already waiting.
//
// Shared by the controlling thread (start, stop) and the worker; every operation takes the
// schedule's lock.
class TimerSchedule {
  public:
    // Marks the section started, keeps its records for the days to come and schedules those due
    // later today. True when no worker is active: the caller must start one, with WorkerTicket(),
    // which now counts as active. A section started already is left as it is.
    bool Start(TimerSection section, std::vector<TimerRecord> records, const LocalTime& now);
    // Marks the section stopped and drops its entries. Those of the sections still started stay,
    // also one that is due and held up behind the entry being carried out, now in the order of
    // rebuilding (after 1: 2, 3; after 2: 1, 3; after 3: 2, 1). True when no section is started
    // any more: the worker no longer counts as active and must stop.
    bool Stop(TimerSection section);
    void StopAll();

    bool IsRunning(TimerSection section) const;
    bool AnyRunning() const;
    // A worker runs for the started sections, waiting for their next entry or the next day.
    bool WorkerActive() const;
    std::vector<TimerRecord> Pending() const;
    // Waits until no entry is left to carry out for now (or nothing is started).
    void WaitUntilNothingPending() const;

    // The worker's side.
    std::uint64_t WorkerTicket() const;
    struct Step {
        enum class What { End, Execute, Wait };
        What what = What::End;
        ScheduleEntry entry;   // Execute: the entry to carry out
        LocalTime until;       // Wait: what the wall clock must read first
        std::uint64_t version = 0;
        bool rebuilt = false;  // a new day was built: the pending list changed
    };
    // What the worker with this ticket does next at now: End when it is no longer the active
    // one or nothing is started; Execute the first entry when it is due; otherwise Wait for the
    // first entry's time or the next midnight, whichever comes first. Builds the day first when
    // now is on another day than the started sections were built for.
    Step Next(std::uint64_t ticket, const LocalTime& now);
    // Waits on the clock until its wall clock reads until, ended early by any change after
    // version was read, by the clock being set, or by Interrupt once stop is cancelled.
    void WaitUntil(Clock& clock, std::uint64_t version, const LocalTime& until,
                   const Cancellation& stop);
    // Ends the worker's wait, so that it sees the stop it was given.
    void Interrupt();
    // The entry is still to be carried out: no stop has dropped it.
    bool IsPending(std::uint64_t serial) const;
    // The entry was carried out: it leaves the schedule and is remembered.
    void Finish(const ScheduleEntry& entry);

  private:
    struct Carried {
        TimerSection section;
        TimerRecord record;
        std::int64_t dueMs;
    };

    void Build(TimerSection section, std::int64_t day, std::int64_t afterMs);
    void SortByDue();
    void Changed();
    bool AnyRunningLocked() const;

    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::array<bool, kTimerSections.size()> running_{};
    std::array<std::vector<TimerRecord>, kTimerSections.size()> records_;
    std::array<std::int64_t, kTimerSections.size()> builtDay_{};
    std::array<std::uint64_t, kTimerSections.size()> buildRank_{};
    std::uint64_t nextRank_ = 0;
    std::vector<ScheduleEntry> entries_;
    std::vector<Carried> carried_;
    std::uint64_t nextSerial_ = 0;
    std::uint64_t version_ = 0;
    std::uint64_t ticket_ = 0;
    bool workerActive_ = false;
    std::set<Cancellation*> waiting_;  // the worker's wait, cut short by a change
};

}  // namespace hsq
