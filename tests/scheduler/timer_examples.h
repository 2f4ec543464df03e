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

// One timer of each kind and the text the file stores for it.
struct StoredCase {
    TimerRecord record;
    const char* text;
};

inline std::vector<StoredCase> StoredCases() {
    TimerRecord once = MakeTimer(TimerSection::Brightness,
                                 {TimerKind::Once, 0, "2025-01-02", "07:00:00"}, 80, {1, 5});
    once.outBrightness = 20;
    return {{MakeTimer(TimerSection::InputSignal, {TimerKind::Week, 1, "", "08:30:00"}, 2, {1, 3}),
             "2,2,1,08:30:00,1,3"},
            {DayTimer(TimerSection::OutputMode, "23:00:05", 2, {5, 6}), "1,2,23:00:05,5,6"},
            {once, "4,80,20,2025-01-02,07:00:00,1,5"},
            {MakeTimer(TimerSection::OutputMode, {TimerKind::Month, 31, "", "00:00:01"}, 15, {}),
             "3,15,31,00:00:01,"}};
}

}  // namespace hsq::testing
