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
// "2,2,1,08:30:00,1,3". A damaged record gives the text it was read from.
std::string TimerRecordText(const TimerRecord& record);
// The reverse. A text whose kind, value, weekday, day of the month, date, time or boards is out
// of its range for the section, or is no number, gives a damaged record (TimerRecord::damaged):
// a number never wraps into another one that would be sent. Blanks around fields are allowed,
// empty board fields skipped (the list ends with "," when it has no boards); a time or date is
// kept in its stored form ("8:5:0" reads as "08:05:00").
TimerRecord ParseTimerRecord(TimerSection section, std::string_view text);

// The section's records, sorted by next firing as of now. A missing or empty count gives none.
// Every record within the count is read, also past a missing one, in one read of the file. When
// a record within the count is missing or damaged, or the count is no number, the file is
// damaged: the store's problem sink is told (once per run) and the file is copied to
// "Timer.ini.bad" before it is first rewritten.
std::vector<TimerRecord> LoadTimerSection(const ProfileStore& store, TimerSection section,
                                          const LocalTime& now);
// Writes the count (also 0) and the records in list order, as one replacement of the file; a
// damaged record is written as it was read. Keys beyond the count stay in the file and are never
// read. False when the file was not written.
bool SaveTimerSection(ProfileStore& store, TimerSection section,
                      std::span<const TimerRecord> records);

}  // namespace hsq
