#include "scheduler/timer_schedule.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "scheduler/calendar.h"

namespace hsq {
namespace {

std::size_t Index(TimerSection section) { return static_cast<std::size_t>(section) - 1; }

std::array<TimerSection, 2> RebuildOrder(TimerSection stopped) {
    switch (stopped) {
        case TimerSection::InputSignal: return {TimerSection::OutputMode, TimerSection::Brightness};
        case TimerSection::OutputMode: return {TimerSection::InputSignal, TimerSection::Brightness};
        case TimerSection::Brightness: break;
    }
    return {TimerSection::OutputMode, TimerSection::InputSignal};
}

bool FiresOn(const TimerRecord& record, std::int64_t day) {
    if (record.IsDamaged()) return false;
    const LocalTime date = LocalTimeAt(day * kMsPerDay);
    switch (record.kind) {
        case TimerKind::Day: return true;
        case TimerKind::Week: return record.weekday == Weekday(day);
        case TimerKind::Month: return record.monthDay == date.day;
        case TimerKind::Once: {
            const CalendarDate on = ParseDate(record.date);
            return on.year == date.year && on.month == date.month && on.day == date.day;
        }
    }
    return false;
}

std::int64_t DueMs(const TimerRecord& record, std::int64_t day) {
    const TimeOfDay time = ParseTime(record.time);
    return MomentSeconds(day, time.hour, time.minute, time.second) * 1000;
}

// Entries carried out are kept this many days back from the day built.
constexpr std::int64_t kCarriedDays = 2;

}  // namespace

bool TimerSchedule::Start(TimerSection section, std::vector<TimerRecord> records,
                          const LocalTime& now) {
    std::lock_guard lock(mutex_);
    const std::size_t at = Index(section);
    if (running_.at(at)) return false;
    running_[at] = true;
    records_[at] = std::move(records);
    buildRank_[at] = ++nextRank_;
    builtDay_[at] = Today(now);
    Build(section, Today(now), MomentSeconds(now) * 1000);
    SortByDue();
    Changed();
    const bool needsWorker = !workerActive_;
    if (needsWorker) ++ticket_;
    workerActive_ = true;
    return needsWorker;
}

// Nothing is built again: what the others had waiting is what they still have.
bool TimerSchedule::Stop(TimerSection section) {
    std::lock_guard lock(mutex_);
    running_.at(Index(section)) = false;
    std::erase_if(entries_,
                  [section](const ScheduleEntry& e) { return e.record.section == section; });
    for (TimerSection other : RebuildOrder(section)) buildRank_[Index(other)] = ++nextRank_;
    SortByDue();
    const bool none = !AnyRunningLocked();
    if (none) workerActive_ = false;
    Changed();
    return none;
}

void TimerSchedule::StopAll() {
    std::lock_guard lock(mutex_);
    running_.fill(false);
    entries_.clear();
    workerActive_ = false;
    Changed();
}

bool TimerSchedule::IsRunning(TimerSection section) const {
    std::lock_guard lock(mutex_);
    return running_.at(Index(section));
}

bool TimerSchedule::AnyRunning() const {
    std::lock_guard lock(mutex_);
    return AnyRunningLocked();
}

bool TimerSchedule::WorkerActive() const {
    std::lock_guard lock(mutex_);
    return workerActive_;
}

std::vector<TimerRecord> TimerSchedule::Pending() const {
    std::lock_guard lock(mutex_);
    std::vector<TimerRecord> pending;
    pending.reserve(entries_.size());
    for (const ScheduleEntry& entry : entries_) pending.push_back(entry.record);
    return pending;
}

void TimerSchedule::WaitUntilNothingPending() const {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return entries_.empty() || !AnyRunningLocked(); });
}

std::uint64_t TimerSchedule::WorkerTicket() const {
    std::lock_guard lock(mutex_);
    return ticket_;
}

TimerSchedule::Step TimerSchedule::Next(std::uint64_t ticket, const LocalTime& now) {
    std::lock_guard lock(mutex_);
    Step step;
    if (!workerActive_ || ticket != ticket_) return step;
    if (!AnyRunningLocked()) {
        workerActive_ = false;
        Changed();
        return step;
    }
    const std::int64_t today = Today(now);
    for (TimerSection section : kTimerSections) {
        const std::size_t at = Index(section);
        if (!running_[at] || builtDay_[at] == today) continue;
        // Forward: the whole new day, so that what a step skipped fires now. Back: from now on.
        const std::int64_t afterMs =
            builtDay_[at] < today ? today * kMsPerDay - 1 : MomentSeconds(now) * 1000;
        Build(section, today, afterMs);
        builtDay_[at] = today;
        step.rebuilt = true;
    }
    if (step.rebuilt) {
        std::erase_if(carried_, [today](const Carried& c) {
            return c.dueMs < (today - kCarriedDays + 1) * kMsPerDay;
        });
        SortByDue();
        Changed();
    }
    step.version = version_;
    const std::int64_t midnightMs = (today + 1) * kMsPerDay;
    if (!entries_.empty() && entries_.front().dueMs <= MomentMilliseconds(now)) {
        step.what = Step::What::Execute;
        step.entry = entries_.front();
        return step;
    }
    step.what = Step::What::Wait;
    step.until = LocalTimeAt(entries_.empty() ? midnightMs
                                              : std::min(entries_.front().dueMs, midnightMs));
    return step;
}

// The stop is looked at once the wait can be interrupted, so no stop goes unseen.
void TimerSchedule::WaitUntil(Clock& clock, std::uint64_t version, const LocalTime& until,
                              const Cancellation& stop) {
    Cancellation changed;
    {
        std::lock_guard lock(mutex_);
        if (version != version_ || stop.IsCancelled()) return;
        waiting_.insert(&changed);
    }
    clock.WaitUntilLocal(changed, until);
    std::lock_guard lock(mutex_);
    waiting_.erase(&changed);
}

void TimerSchedule::Interrupt() {
    std::lock_guard lock(mutex_);
    for (Cancellation* waiting : waiting_) waiting->Cancel();
}

bool TimerSchedule::IsPending(std::uint64_t serial) const {
    std::lock_guard lock(mutex_);
    return std::any_of(entries_.begin(), entries_.end(),
                       [serial](const ScheduleEntry& e) { return e.serial == serial; });
}

void TimerSchedule::Finish(const ScheduleEntry& entry) {
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [&entry](const ScheduleEntry& e) { return e.serial == entry.serial; });
    carried_.push_back({entry.record.section, entry.record, entry.dueMs});
    Changed();
}

// The section's timers of the day due after afterMs, less those waiting already and those
// carried out already: one of each for each identical record, so that two equal timers of a list
// still fire twice.
void TimerSchedule::Build(TimerSection section, std::int64_t day, std::int64_t afterMs) {
    std::multimap<std::int64_t, const TimerRecord*> present;
    for (const ScheduleEntry& entry : entries_) {
        if (entry.record.section == section) present.emplace(entry.dueMs, &entry.record);
    }
    for (const Carried& carried : carried_) {
        if (carried.section == section) present.emplace(carried.dueMs, &carried.record);
    }
    std::vector<ScheduleEntry> added;
    const std::vector<TimerRecord>& records = records_[Index(section)];
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (!FiresOn(records[i], day)) continue;
        const std::int64_t due = DueMs(records[i], day);
        if (due <= afterMs) continue;
        const auto [first, last] = present.equal_range(due);
        const auto same =
            std::find_if(first, last, [&](const auto& p) { return *p.second == records[i]; });
        if (same != last) {
            present.erase(same);
            continue;
        }
        added.push_back({records[i], due, i, nextSerial_++});
    }
    entries_.insert(entries_.end(), std::make_move_iterator(added.begin()),
                    std::make_move_iterator(added.end()));
}

void TimerSchedule::SortByDue() {
    const auto key = [this](const ScheduleEntry& e) {
        return std::tuple(e.dueMs, buildRank_[Index(e.record.section)], e.index, e.serial);
    };
    std::sort(entries_.begin(), entries_.end(),
              [&key](const ScheduleEntry& a, const ScheduleEntry& b) { return key(a) < key(b); });
}

void TimerSchedule::Changed() {
    ++version_;
    for (Cancellation* waiting : waiting_) waiting->Cancel();
    changed_.notify_all();
}

bool TimerSchedule::AnyRunningLocked() const {
    return std::find(running_.begin(), running_.end(), true) != running_.end();
}

}  // namespace hsq
