#pragma once

#include <cstdint>
#include <vector>

#include "link/clock.h"
#include "scheduler/timer_record.h"

namespace hsq {

// Signed seconds from now to the record's sort moment: Day today at its time; Week the next of
// its weekday from today on (today itself even when its time has passed); Month today plus the
// days to its day of the month, counting every month as 31 days; Once its date. Passed moments
// are negative, so they come first. A damaged record sorts last.
std::int64_t SecondsToSortMoment(const TimerRecord& record, const LocalTime& now);

// Orders the list by SecondsToSortMoment; equal ones keep their order.
void SortByNextFiring(std::vector<TimerRecord>& records, const LocalTime& now);

}  // namespace hsq
