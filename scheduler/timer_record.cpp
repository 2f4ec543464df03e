#include "scheduler/timer_record.h"

#include <cstdio>

#include "config/comma_list.h"

namespace hsq {
namespace {

// The three numbers of a text split at separator; missing ones stay 0.
std::array<int, 3> ThreeNumbers(std::string_view text, char separator) {
    std::array<int, 3> numbers{};
    for (int& number : numbers) {
        const std::size_t end = text.find(separator);
        number = DecimalValue(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return numbers;
}

std::string ThreeTwoDigitFields(const char* format, int a, int b, int c) {
    char text[40];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

}  // namespace

std::string_view TimerFileSection(TimerSection section) {
    switch (section) {
        case TimerSection::InputSignal: return "TIMERIN";
        case TimerSection::OutputMode: return "TIMEROUT";
        case TimerSection::Brightness: return "TIMERALL";
    }
    return "";
}

TimeOfDay ParseTime(std::string_view text) {
    const auto [hour, minute, second] = ThreeNumbers(text, ':');
    return {hour, minute, second};
}

CalendarDate ParseDate(std::string_view text) {
    const auto [year, month, day] = ThreeNumbers(text, '-');
    return {year, month, day};
}

std::string FormatTime(const TimeOfDay& time) {
    return ThreeTwoDigitFields("%.2d:%.2d:%.2d", time.hour, time.minute, time.second);
}

std::string FormatDate(const CalendarDate& date) {
    return ThreeTwoDigitFields("%.2d-%.2d-%.2d", date.year, date.month, date.day);
}

}  // namespace hsq
