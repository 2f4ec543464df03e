#include "scheduler/timer_schedule.h"

#include <algorithm>

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

bool FiresToday(const TimerRecord& record, const LocalTime& now) {
    switch (record.kind) {
        case TimerKind::Day: return true;
        case TimerKind::Week: return record.weekday == Weekday(Today(now));
        case TimerKind::Month: return record.monthDay == now.day;
        case TimerKind::Once: {
            const CalendarDate date = ParseDate(record.date);
            return date.year == now.year && date.month == now.month && date.day == now.day;
        }
    }
    return false;
}

// Today at the record's time, when that is at least a whole second after now.
std::optional<std::int64_t> DueLaterToday(const TimerRecord& record, const LocalTime& now) {
    const TimeOfDay time = ParseTime(record.time);
    const std::int64_t due = MomentSeconds(Today(now), time.hour, time.minute, time.second);
    if (due - MomentSeconds(now) <= 0 || !FiresToday(record, now)) return std::nullopt;
    return due * 1000;
}

}  // namespace

bool TimerSchedule::Start(TimerSection section, std::vector<TimerRecord> records,
                          const LocalTime& now) {
    std::lock_guard lock(mutex_);
    if (running_.at(Index(section))) return false;
    running_[Index(section)] = true;
    records_[Index(section)] = std::move(records);
    Append(section, now);
    SortByDue();
    Changed();
    const bool needsWorker = !workerActive_;
    workerActive_ = true;
    return needsWorker;
}

void TimerSchedule::Stop(TimerSection section, const LocalTime& now) {
    std::lock_guard lock(mutex_);
    running_.at(Index(section)) = false;
    entries_.clear();
    for (TimerSection other : RebuildOrder(section)) {
        if (running_[Index(other)]) Append(other, now);
    }
    SortByDue();
    Changed();
}

void TimerSchedule::StopAll() {
    std::lock_guard lock(mutex_);
    running_.fill(false);
    entries_.clear();
    Changed();
}

bool TimerSchedule::IsRunning(TimerSection section) const {
    std::lock_guard lock(mutex_);
    return running_.at(Index(section));
}

bool TimerSchedule::AnyRunning() const {
    std::lock_guard lock(mutex_);
    return std::find(running_.begin(), running_.end(), true) != running_.end();
}

bool TimerSchedule::WorkerActive() const {
    std::lock_guard lock(mutex_);
    return workerActive_;
}

std::vector<TimerRecord> TimerSchedule::Pending() const {
    std::lock_guard lock(mutex_);
    std::vector<TimerRecord> pending;
    for (const ScheduleEntry& entry : entries_) pending.push_back(entry.record);
    return pending;
}

std::optional<TimerSchedule::Next> TimerSchedule::NextOrEnd() {
    std::lock_guard lock(mutex_);
    if (entries_.empty()) {
        workerActive_ = false;
        return std::nullopt;
    }
    return Next{entries_.front(), version_};
}

void TimerSchedule::WaitWhileUnchanged(Clock& clock, std::uint64_t version, int ms) {
    Cancellation changed;
    {
        std::lock_guard lock(mutex_);
        if (version != version_) return;
        waiting_ = &changed;
    }
    clock.WaitCancellable(changed, ms);
    std::lock_guard lock(mutex_);
    waiting_ = nullptr;
}

void TimerSchedule::Remove(std::uint64_t serial) {
    std::lock_guard lock(mutex_);
    std::erase_if(entries_, [serial](const ScheduleEntry& entry) { return entry.serial == serial; });
    Changed();
}

void TimerSchedule::Append(TimerSection section, const LocalTime& now) {
    for (const TimerRecord& record : records_[Index(section)]) {
        if (const auto due = DueLaterToday(record, now)) {
            entries_.push_back({record, *due, nextSerial_++});
        }
    }
}

void TimerSchedule::SortByDue() {
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const ScheduleEntry& a, const ScheduleEntry& b) { return a.dueMs < b.dueMs; });
}

void TimerSchedule::Changed() {
    ++version_;
    if (waiting_ != nullptr) waiting_->Cancel();
}

}  // namespace hsq
