#include "scheduler/timer_order.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "scheduler/calendar.h"

namespace hsq {
namespace {

constexpr int kDaysPerCountedMonth = 31;

// Today plus days, every month counted as 31 days long: day 35 of January is February 4, and
// February 30 stays February 30 (which DayNumber then reads as early March).
std::int64_t AddCountedDays(const LocalTime& today, int days) {
    std::int64_t year = today.year, month = today.month, day = today.day + days;
    while (day > kDaysPerCountedMonth) {
        day -= kDaysPerCountedMonth;
        if (++month > 12) {
            month -= 12;
            ++year;
        }
    }
    return DayNumber(year, month, day);
}

int DaysToWeekday(int weekday, const LocalTime& now) {
    const int days = weekday - Weekday(Today(now));
    return days < 0 ? days + 7 : days;
}

int DaysToMonthDay(int monthDay, const LocalTime& now) {
    const int days = monthDay - now.day;
    return monthDay <= now.day ? days + kDaysPerCountedMonth : days;
}

std::int64_t SortDay(const TimerRecord& record, const LocalTime& now) {
    switch (record.kind) {
        case TimerKind::Day: return Today(now);
        case TimerKind::Week: return AddCountedDays(now, DaysToWeekday(record.weekday, now));
        case TimerKind::Month: return AddCountedDays(now, DaysToMonthDay(record.monthDay, now));
        case TimerKind::Once: {
            const CalendarDate date = ParseDate(record.date);
            return DayNumber(date.year, date.month, date.day);
        }
    }
    return 0;
}

bool IsKnownKind(TimerKind kind) { return kind >= TimerKind::Day && kind <= TimerKind::Once; }

}  // namespace

std::int64_t SecondsToSortMoment(const TimerRecord& record, const LocalTime& now) {
    if (record.IsDamaged() || !IsKnownKind(record.kind))
        return std::numeric_limits<std::int64_t>::max();
    const TimeOfDay time = ParseTime(record.time);
    return MomentSeconds(SortDay(record, now), time.hour, time.minute, time.second) -
           MomentSeconds(now);
}

// Each record's moment is worked out once: a long list is sorted at every change.
void SortByNextFiring(std::vector<TimerRecord>& records, const LocalTime& now) {
    std::vector<std::pair<std::int64_t, std::size_t>> order;
    order.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        order.emplace_back(SecondsToSortMoment(records[i], now), i);
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<TimerRecord> sorted;
    sorted.reserve(records.size());
    for (const auto& [moment, index] : order) sorted.push_back(std::move(records[index]));
    records = std::move(sorted);
}

}  // namespace hsq
