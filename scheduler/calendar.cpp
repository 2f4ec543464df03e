#include "scheduler/calendar.h"

namespace hsq {
namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

std::int64_t FloorModulo(std::int64_t a, std::int64_t b) { return a - FloorDivide(a, b) * b; }

// Howard Hinnant's days_from_civil, for a month already in 1..12.
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = FloorDivide(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// Howard Hinnant's civil_from_days.
void CivilFromDays(std::int64_t days, std::int64_t& year, int& month, int& day) {
    days += 719468;
    const std::int64_t era = FloorDivide(days, 146097);
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

}  // namespace

std::int64_t DayNumber(std::int64_t year, std::int64_t month, std::int64_t day) {
    return DaysFromCivil(year + FloorDivide(month - 1, 12), FloorModulo(month - 1, 12) + 1, 1) +
           day - 1;
}

int Weekday(std::int64_t dayNumber) {
    // 1970-01-01 was a Thursday.
    return static_cast<int>(FloorModulo(dayNumber + 3, 7)) + 1;
}

std::int64_t MomentSeconds(std::int64_t dayNumber, std::int64_t hour, std::int64_t minute,
                           std::int64_t second) {
    return dayNumber * kSecondsPerDay + hour * 3600 + minute * 60 + second;
}

std::int64_t MomentSeconds(const LocalTime& time) {
    return MomentSeconds(Today(time), time.hour, time.minute, time.second);
}

std::int64_t MomentMilliseconds(const LocalTime& time) {
    return MomentSeconds(time) * 1000 + time.millisecond;
}

std::int64_t Today(const LocalTime& now) { return DayNumber(now.year, now.month, now.day); }

LocalTime LocalTimeAt(std::int64_t momentMs) {
    const std::int64_t dayNumber = FloorDivide(momentMs, kMsPerDay);
    const std::int64_t ofDay = momentMs - dayNumber * kMsPerDay;
    std::int64_t year = 0;
    LocalTime time;
    CivilFromDays(dayNumber, year, time.month, time.day);
    time.year = static_cast<int>(year);
    time.hour = static_cast<int>(ofDay / 3600000);
    time.minute = static_cast<int>(ofDay / 60000 % 60);
    time.second = static_cast<int>(ofDay / 1000 % 60);
    time.millisecond = static_cast<int>(ofDay % 1000);
    return time;
}

}  // namespace hsq
