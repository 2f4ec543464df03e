#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hsq {

// The three independent lists of timers, by the numbers the records carry.
enum class TimerSection : std::uint8_t {
    InputSignal = 1,  // sets the main signal of input cards, "TIMERIN"
    OutputMode = 2,   // recalls a display mode on output cards, "TIMEROUT"
    Brightness = 3,   // sets input and output brightness, "TIMERALL"
};
inline constexpr std::array<TimerSection, 3> kTimerSections{
    TimerSection::InputSignal, TimerSection::OutputMode, TimerSection::Brightness};

// Its section's name in "Timer.ini".
std::string_view TimerFileSection(TimerSection section);

// A record read from a file with any other number is damaged (TimerRecord::damaged).
enum class TimerKind : std::uint8_t {
    Day = 1,    // every day
    Week = 2,   // one weekday
    Month = 3,  // one day of the month
    Once = 4,   // one date
};

// Board numbers of the records: input cards A..D, output cards K and L.
inline constexpr std::uint8_t kBoardA = 1;
inline constexpr std::uint8_t kBoardD = 4;
inline constexpr std::uint8_t kBoardK = 5;
inline constexpr std::uint8_t kBoardL = 6;
inline bool IsInputCard(std::uint8_t board) { return board >= kBoardA && board <= kBoardD; }
inline bool IsOutputCard(std::uint8_t board) { return board == kBoardK || board == kBoardL; }

// Value ranges the processor accepts.
inline constexpr int kSignalCount = 4;        // 0 SDI, 1 DVI, 2 VGA, 3 VIDEO
inline constexpr int kTimerModeCount = 16;    // mode index 0..15, shown "Mode1".."Mode16"
inline constexpr int kMaxInputBrightness = 100;
inline constexpr int kMaxOutputBrightness = 32;

// One timer. Plain value: copies own their texts and boards.
struct TimerRecord {
    TimerSection section = TimerSection::InputSignal;  // from the file section, not stored
    TimerKind kind = TimerKind::Day;
    // Signal code (InputSignal), mode index (OutputMode) or input brightness (Brightness).
    std::int8_t value = 0;
    std::int8_t outBrightness = 0;  // Brightness only
    std::int8_t weekday = 0;        // Week only: 1 Monday .. 7 Sunday
    std::int8_t monthDay = 0;       // Month only: 1..31
    std::string time;               // "hh:mm:ss", 24-hour clock
    std::string date;               // Once only: "yyyy-mm-dd"
    std::vector<std::uint8_t> boards;  // kBoardA..kBoardL, in the order A, B, C, D, K, L
    // A record of the file that is not a timer its section can carry out (a number out of its
    // range, a field that is no number, a time or date that does not exist): its text as the
    // file held it, kept so that saving the list writes it back unchanged. Its other fields are
    // left as they start. It is listed as damaged and never scheduled.
    std::optional<std::string> damaged;

    bool IsDamaged() const { return damaged.has_value(); }
    bool operator==(const TimerRecord&) const = default;
};

struct TimeOfDay {
    int hour = 0, minute = 0, second = 0;
    bool operator==(const TimeOfDay&) const = default;
};
struct CalendarDate {
    int year = 0, month = 0, day = 0;
    bool operator==(const CalendarDate&) const = default;
};

// Fields split at ":" / "-", each read as a decimal number; a missing or unreadable field is 0.
TimeOfDay ParseTime(std::string_view text);
CalendarDate ParseDate(std::string_view text);
// "%.2d:%.2d:%.2d" and "%.2d-%.2d-%.2d" (so the year keeps its four digits).
std::string FormatTime(const TimeOfDay& time);
std::string FormatDate(const CalendarDate& date);

}  // namespace hsq
