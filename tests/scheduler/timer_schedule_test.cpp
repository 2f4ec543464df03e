// The order of a timer list, which timers today's schedule takes when a section starts, and its
// order after a stop.
#include "scheduler/timer_schedule.h"

#include <gtest/gtest.h>

#include "scheduler/timer_order.h"
#include "timer_examples.h"

namespace hsq {
namespace {

using testing::DayTimer;
using testing::MakeTimer;

// A list's order: time from now to each record's next firing, months counted as 31 days.
constexpr std::int64_t kDay = 86400;

struct SortCase {
    const char* name;
    LocalTime now;
    testing::TimerWhen when;
    std::int64_t seconds;
};

// 2025-02-27 is a Thursday, 2025-12-30 a Tuesday.
const SortCase kSortCases[] = {
    {"DayPassedToday", {2025, 3, 5, 21, 0, 0}, {TimerKind::Day, 0, "", "06:00:00"}, -15 * 3600},
    {"WeekTodayPassed", {2025, 2, 27, 10, 0, 0}, {TimerKind::Week, 4, "", "09:00:00"}, -3600},
    {"WeekIntoNextYear", {2025, 12, 30, 12, 0, 0}, {TimerKind::Week, 1, "", "12:00:00"}, 6 * kDay},
    // Six days on is day 33 of February, counted as March 2 and not March 5.
    {"WeekOverFebruary", {2025, 2, 27, 12, 0, 0}, {TimerKind::Week, 3, "", "12:00:00"}, 3 * kDay},
    {"MonthIntoNextYear", {2025, 12, 20, 0, 0, 0}, {TimerKind::Month, 10, "", "00:00:00"}, 21 * kDay},
    {"MonthTodayIsNextMonth", {2025, 4, 20, 8, 0, 0}, {TimerKind::Month, 20, "", "08:00:00"}, 30 * kDay},
    // February 30 of the count is March 2.
    {"MonthFebruary30", {2025, 2, 25, 0, 0, 0}, {TimerKind::Month, 30, "", "00:00:00"}, 5 * kDay},
    {"OnceNextYear", {2025, 12, 31, 23, 0, 0}, {TimerKind::Once, 0, "2026-01-01", "01:00:00"}, 7200},
    {"OncePassed", {2025, 12, 31, 23, 0, 0}, {TimerKind::Once, 0, "2025-12-30", "23:00:00"}, -kDay},
};

TEST(SortMoment, IsTheSignedTimeFromNow) {
    for (const SortCase& c : kSortCases) {
        const TimerRecord record = MakeTimer(TimerSection::InputSignal, c.when, 0, {});
        EXPECT_EQ(SecondsToSortMoment(record, c.now), c.seconds) << c.name;
    }
}

TEST(SortByNextFiring, At2100AMorningTimerComesFirstAndTiesKeepTheirOrder) {
    const LocalTime at2100{2025, 3, 5, 21, 0, 0, 0};
    // Enough equal ones for an unstable sort to show.
    std::vector<TimerRecord> list;
    for (int i = 0; i < 40; ++i) list.push_back(DayTimer(TimerSection::InputSignal, "22:00:00", i, {}));
    list.insert(list.begin() + 20, DayTimer(TimerSection::InputSignal, "06:00:00", 99, {}));
    list.insert(list.begin(), MakeTimer(TimerSection::InputSignal, {static_cast<TimerKind>(0)}, 98, {}));
    SortByNextFiring(list, at2100);
    std::vector<int> values;
    for (const TimerRecord& record : list) values.push_back(record.value);
    std::vector<int> expected{99};
    for (int i = 0; i < 40; ++i) expected.push_back(i);
    expected.push_back(98);
    EXPECT_EQ(values, expected);
}

struct BuildCase {
    const char* name;
    LocalTime now;
    testing::TimerWhen when;
    bool scheduled;
};

// 2026-01-07 is a Wednesday.
const BuildCase kBuildCases[] = {
    {"DayThisSecond", {2026, 1, 7, 10, 0, 0, 999}, {TimerKind::Day, 0, "", "10:00:00"}, false},
    {"DayNextSecond", {2026, 1, 7, 10, 0, 0, 999}, {TimerKind::Day, 0, "", "10:00:01"}, true},
    {"WednesdayOnWednesday", {2026, 1, 7, 10, 0, 0}, {TimerKind::Week, 3, "", "11:00:00"}, true},
    {"WednesdayOnTuesday", {2026, 1, 6, 10, 0, 0}, {TimerKind::Week, 3, "", "11:00:00"}, false},
    {"Day31On31", {2026, 3, 31, 10, 0, 0}, {TimerKind::Month, 31, "", "11:00:00"}, true},
    {"Day31On30", {2026, 3, 30, 10, 0, 0}, {TimerKind::Month, 31, "", "11:00:00"}, false},
    // Not the last day of a shorter month in its place.
    {"Day31OnApril30", {2026, 4, 30, 10, 0, 0}, {TimerKind::Month, 31, "", "11:00:00"}, false},
    {"OnceToday", {2026, 1, 7, 10, 0, 0}, {TimerKind::Once, 0, "2026-01-07", "11:00:00"}, true},
    {"OnceTomorrow", {2026, 1, 7, 10, 0, 0}, {TimerKind::Once, 0, "2026-01-08", "11:00:00"}, false},
};

TEST(BuildingToday, TakesOnlyTimersDueLaterToday) {
    for (const BuildCase& c : kBuildCases) {
        TimerSchedule schedule;
        const TimerRecord record = MakeTimer(TimerSection::InputSignal, c.when, 0, {1});
        EXPECT_TRUE(schedule.Start(TimerSection::InputSignal, {record}, c.now)) << c.name;
        EXPECT_EQ(schedule.Pending().size(), c.scheduled ? 1u : 0u) << c.name;
    }
}

TEST(TimerSchedule, EntriesOfAllSectionsFireInTimeOrderAndAStopKeepsTheSectionsLeft) {
    const LocalTime wednesdaySeventh{2026, 1, 7, 7, 0, 0};
    const auto evening = DayTimer(TimerSection::OutputMode, "20:00:00", 0, {5});
    const auto monthly =
        MakeTimer(TimerSection::OutputMode, {TimerKind::Month, 7, "", "08:00:00"}, 1, {5});
    const auto nine = DayTimer(TimerSection::InputSignal, "09:00:00", 2, {1});
    TimerSchedule schedule;
    schedule.Start(TimerSection::OutputMode, {evening, monthly}, wednesdaySeventh);
    schedule.Start(TimerSection::InputSignal, {nine}, wednesdaySeventh);
    EXPECT_EQ(schedule.Pending(), (std::vector{monthly, nine, evening}));
    schedule.Stop(TimerSection::Brightness);
    EXPECT_EQ(schedule.Pending(), (std::vector{monthly, nine, evening}));

    // Entries due at one time: a stop rebuilds them in the order of the sections still started.
    for (const auto& [stopped, order] : {std::pair{TimerSection::InputSignal, std::vector{2, 3}},
                                         std::pair{TimerSection::OutputMode, std::vector{1, 3}},
                                         std::pair{TimerSection::Brightness, std::vector{2, 1}}}) {
        TimerSchedule ties;
        for (TimerSection section : {TimerSection::Brightness, TimerSection::InputSignal,
                                     TimerSection::OutputMode}) {
            ties.Start(section, {DayTimer(section, "11:00:00", 0, {})}, wednesdaySeventh);
        }
        ties.Stop(stopped);
        std::vector<int> sections;
        for (const TimerRecord& entry : ties.Pending()) sections.push_back(static_cast<int>(entry.section));
        EXPECT_EQ(sections, order);
        EXPECT_FALSE(ties.IsRunning(stopped));
        EXPECT_TRUE(ties.AnyRunning());
    }
}

}  // namespace
}  // namespace hsq
