#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "dialog/bilingual.h"
#include "scheduler/timer_record.h"

namespace hsq {

// The texts the timer lists and the pending list show. A number outside its range gives "".

// "Day", "Week", "Month", "Once" (the same in both languages).
std::string_view TimerKindName(TimerKind kind);
// "A".."D", "K", "L" for boards 1..6.
std::string_view BoardName(std::uint8_t board);
// "SDI", "DVI", "VGA", "VIDEO" for codes 0..3.
std::string_view SignalName(int signal);
// "Mode%d" of index + 1, for 0..15.
std::string ModeName(int modeIndex);
// "%d/%d": input / output brightness.
std::string BrightnessText(int input, int output);
// "1星期一".."7星期日" / "1Mon".."7Sun" for weekdays 1..7.
std::string_view WeekdayName(int weekday, LanguageFlag language);

// The board letters of a record joined by "," ("A,C").
std::string BoardsText(const TimerRecord& record);
// Its section's action: the signal name, the mode name or the brightness pair.
std::string ActionText(const TimerRecord& record);

}  // namespace hsq
