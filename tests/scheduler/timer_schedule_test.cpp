// Which timers today's schedule takes when a section starts, and its order after a stop.
#include "scheduler/timer_schedule.h"

#include <gtest/gtest.h>

#include "timer_rig.h"

namespace hsq {
namespace {

using testing::DayTimer;

struct BuildCase {
    const char* name;
    LocalTime now;
    testing::TimerWhen when;
    bool scheduled;
};

// 2026-01-07 is a Wednesday.
const BuildCase kBuildCases[] = {
    {"DayPassed", {2026, 1, 7, 10, 0, 0}, {TimerKind::Day, 0, "", "09:00:00"}, false},
    {"DayLater", {2026, 1, 7, 10, 0, 0}, {TimerKind::Day, 0, "", "11:00:00"}, true},
    {"DayThisSecond", {2026, 1, 7, 10, 0, 0, 999}, {TimerKind::Day, 0, "", "10:00:00"}, false},
    {"DayNextSecond", {2026, 1, 7, 10, 0, 0, 999}, {TimerKind::Day, 0, "", "10:00:01"}, true},
    {"WednesdayOnWednesday", {2026, 1, 7, 10, 0, 0}, {TimerKind::Week, 3, "", "11:00:00"}, true},
    {"WednesdayOnTuesday", {2026, 1, 6, 10, 0, 0}, {TimerKind::Week, 3, "", "11:00:00"}, false},
    {"Day31On31", {2026, 3, 31, 10, 0, 0}, {TimerKind::Month, 31, "", "11:00:00"}, true},
    {"Day31On30", {2026, 3, 30, 10, 0, 0}, {TimerKind::Month, 31, "", "11:00:00"}, false},
    {"OnceToday", {2026, 1, 7, 10, 0, 0}, {TimerKind::Once, 0, "2026-01-07", "11:00:00"}, true},
    {"OnceTomorrow", {2026, 1, 7, 10, 0, 0}, {TimerKind::Once, 0, "2026-01-08", "11:00:00"}, false},
};

TimerRecord Make(const BuildCase& c) {
    return testing::MakeTimer(TimerSection::InputSignal, c.when, 0, {1});
}

class BuildingToday : public ::testing::TestWithParam<BuildCase> {};

TEST_P(BuildingToday, TakesOnlyTimersDueLaterToday) {
    TimerSchedule schedule;
    EXPECT_TRUE(schedule.Start(TimerSection::InputSignal, {Make(GetParam())}, GetParam().now));
    EXPECT_EQ(schedule.Pending().size(), GetParam().scheduled ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Timers, BuildingToday, ::testing::ValuesIn(kBuildCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TimerSchedule, Day31IsNeverScheduledInAThirtyDayMonth) {
    BuildCase monthly = kBuildCases[6];
    for (int day = 1; day <= 30; ++day) {
        TimerSchedule schedule;
        schedule.Start(TimerSection::InputSignal, {Make(monthly)}, {2026, 4, day, 0, 0, 0});
        EXPECT_TRUE(schedule.Pending().empty()) << "April " << day;
    }
}

TEST(TimerSchedule, AtTenOnlyTheElevenOClockTimerIsScheduled) {
    TimerSchedule schedule;
    const auto nine = DayTimer(TimerSection::InputSignal, "09:00:00", 0, {1});
    const auto eleven = DayTimer(TimerSection::InputSignal, "11:00:00", 1, {1});
    schedule.Start(TimerSection::InputSignal, {nine, eleven}, {2026, 1, 7, 10, 0, 0});
    EXPECT_EQ(schedule.Pending(), std::vector{eleven});
}

TEST(TimerSchedule, EntriesOfAllSectionsFireInTheOrderOfTheirTimes) {
    const LocalTime wednesdaySeventh{2026, 1, 7, 7, 0, 0};
    const auto evening = DayTimer(TimerSection::OutputMode, "20:00:00", 0, {5});
    const auto monthly =
        testing::MakeTimer(TimerSection::OutputMode, {TimerKind::Month, 7, "", "08:00:00"}, 1, {5});
    const auto nine = DayTimer(TimerSection::InputSignal, "09:00:00", 2, {1});
    TimerSchedule schedule;
    schedule.Start(TimerSection::OutputMode, {evening, monthly}, wednesdaySeventh);
    schedule.Start(TimerSection::InputSignal, {nine}, wednesdaySeventh);
    EXPECT_EQ(schedule.Pending(), (std::vector{monthly, nine, evening}));
    schedule.Stop(TimerSection::Brightness, wednesdaySeventh);
    EXPECT_EQ(schedule.Pending(), (std::vector{monthly, nine, evening}));
}

struct RebuildCase {
    TimerSection stopped;
    std::vector<int> order;
};

class Rebuilding : public ::testing::TestWithParam<RebuildCase> {};

TEST_P(Rebuilding, FollowsTheOrderOfTheSectionsStillStarted) {
    const LocalTime now{2026, 1, 7, 10, 0, 0};
    TimerSchedule schedule;
    for (TimerSection section : {TimerSection::Brightness, TimerSection::InputSignal,
                                 TimerSection::OutputMode}) {
        schedule.Start(section, {DayTimer(section, "11:00:00", 0, {})}, now);
    }
    schedule.Stop(GetParam().stopped, now);
    std::vector<int> order;
    for (const TimerRecord& entry : schedule.Pending()) order.push_back(static_cast<int>(entry.section));
    EXPECT_EQ(order, GetParam().order);
    EXPECT_FALSE(schedule.IsRunning(GetParam().stopped));
    EXPECT_TRUE(schedule.AnyRunning());
}

INSTANTIATE_TEST_SUITE_P(Timers, Rebuilding,
                         ::testing::Values(RebuildCase{TimerSection::InputSignal, {2, 3}},
                                           RebuildCase{TimerSection::OutputMode, {1, 3}},
                                           RebuildCase{TimerSection::Brightness, {2, 1}}));

}  // namespace
}  // namespace hsq
