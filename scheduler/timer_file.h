#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "config/profile_store.h"
#include "link/clock.h"
#include "scheduler/timer_record.h"

namespace hsq {

// "Timer.ini": per section, key "Timer" holds the count n and keys "Timer0".."Timer<n-1>" one
// record each, in list order.

// The value of a record's key: kind, then the section's value fields, the weekday or day of the
// month (Week, Month) or the date (Once), the time, then the boards joined by ",":
// "2,2,1,08:30:00,1,3".
std::string TimerRecordText(const TimerRecord& record);
// The reverse. Numbers that do not convert read as 0; a record with fewer fields than its kind
// needs has empty texts and no boards.
TimerRecord ParseTimerRecord(TimerSection section, std::string_view text);

// The section's records, sorted by next firing as of now. A missing or empty count gives none.
std::vector<TimerRecord> LoadTimerSection(const ProfileStore& store, TimerSection section,
                                          const LocalTime& now);
// Writes the count (also 0) and the records in list order, as one replacement of the file. Keys
// beyond the count stay in the file and are never read. False when the file was not written.
bool SaveTimerSection(ProfileStore& store, TimerSection section,
                      std::span<const TimerRecord> records);

}  // namespace hsq
