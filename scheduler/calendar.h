#pragma once

#include <cstdint>

#include "link/clock.h"

namespace hsq {

// Arithmetic on local wall-clock dates and times, without time zones: a timer names local
// times, and only differences between them matter.

// Days since 1970-01-01. A month outside 1..12 moves into other years and a day beyond its
// month into the next months (February 30 is March 1 or 2), as the C library normalises dates.
std::int64_t DayNumber(std::int64_t year, std::int64_t month, std::int64_t day);
// 1 = Monday .. 7 = Sunday.
int Weekday(std::int64_t dayNumber);
// Seconds since 1970-01-01 00:00:00 of that day at that time.
std::int64_t MomentSeconds(std::int64_t dayNumber, std::int64_t hour, std::int64_t minute,
                           std::int64_t second);
// The same for a clock reading, milliseconds dropped.
std::int64_t MomentSeconds(const LocalTime& time);
std::int64_t MomentMilliseconds(const LocalTime& time);
std::int64_t Today(const LocalTime& now);
// The reading of a moment in milliseconds on MomentMilliseconds' scale.
LocalTime LocalTimeAt(std::int64_t momentMs);
inline constexpr std::int64_t kMsPerDay = 86400 * 1000;

}  // namespace hsq
