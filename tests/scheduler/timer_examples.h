#pragma once

#include <cstdint>
#include <vector>

#include "scheduler/timer_record.h"

namespace hsq::testing {

// When a timer fires, as the test tables write it.
struct TimerWhen {
    TimerKind kind = TimerKind::Day;
    int dayField = 0;  // Week: weekday; Month: day of the month
    const char* date = "";
    const char* time = "";
};

inline TimerRecord MakeTimer(TimerSection section, const TimerWhen& when, int value,
                             std::vector<std::uint8_t> boards) {
    TimerRecord record;
    record.section = section;
    record.kind = when.kind;
    record.value = static_cast<std::int8_t>(value);
    record.weekday = static_cast<std::int8_t>(when.kind == TimerKind::Week ? when.dayField : 0);
    record.monthDay = static_cast<std::int8_t>(when.kind == TimerKind::Month ? when.dayField : 0);
    record.date = when.date;
    record.time = when.time;
    record.boards = std::move(boards);
    return record;
}

inline TimerRecord DayTimer(TimerSection section, const char* time, int value,
                            std::vector<std::uint8_t> boards) {
    return MakeTimer(section, {TimerKind::Day, 0, "", time}, value, std::move(boards));
}

}  // namespace hsq::testing
