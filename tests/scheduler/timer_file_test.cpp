// Timer records in "Timer.ini": the stored texts, the count, and what bad files read as.
#include "scheduler/timer_file.h"

#include <gtest/gtest.h>

#include "scheduler/timer_names.h"
#include "support/temp_folder.h"
#include "timer_examples.h"

namespace hsq {
namespace {

const LocalTime kNoon{2025, 3, 5, 12, 0, 0, 0};

using testing::MakeTimer;

struct StoredCase {
    TimerRecord record;
    std::string text;
};

std::vector<StoredCase> StoredCases() {
    const TimerRecord weekly =
        MakeTimer(TimerSection::InputSignal, {TimerKind::Week, 1, "", "08:30:00"}, 2, {1, 3});
    TimerRecord once = MakeTimer(TimerSection::Brightness,
                                 {TimerKind::Once, 0, "2025-01-02", "07:00:00"}, 80, {1, 5});
    once.outBrightness = 20;
    const TimerRecord monthly =
        MakeTimer(TimerSection::OutputMode, {TimerKind::Month, 31, "", "00:00:01"}, 15, {});
    return {{weekly, "2,2,1,08:30:00,1,3"},
            {testing::DayTimer(TimerSection::OutputMode, "23:00:05", 2, {5, 6}), "1,2,23:00:05,5,6"},
            {once, "4,80,20,2025-01-02,07:00:00,1,5"},
            {monthly, "3,15,31,00:00:01,"}};
}

class TimerFileTest : public ::testing::Test {
  protected:
    std::string Stored(TimerSection section, const std::string& key) const {
        std::string value;
        store.ReadValue(ConfigFileKind::Timer, TimerFileSection(section), key, value);
        return value;
    }

    testing::TempFolder folder;
    ProfileStore store{folder.path()};
};

TEST_F(TimerFileTest, EachRecordIsStoredAsItsTextAndReadsBackTheSame) {
    for (const auto& [record, text] : StoredCases()) {
        ASSERT_TRUE(SaveTimerSection(store, record.section, std::vector{record}));
        EXPECT_EQ(Stored(record.section, "Timer"), "1");
        EXPECT_EQ(Stored(record.section, "Timer0"), text);
        EXPECT_EQ(LoadTimerSection(store, record.section, kNoon), std::vector{record}) << text;
    }
    EXPECT_NE(folder.Read("Timer.ini").find("[TIMERALL]"), std::string::npos);
}

TEST_F(TimerFileTest, AnEmptySectionWritesZeroAndOldKeysAreNeverRead) {
    const auto cases = StoredCases();
    const std::vector two{cases[1].record, cases[1].record};
    ASSERT_TRUE(SaveTimerSection(store, TimerSection::OutputMode, two));
    ASSERT_TRUE(SaveTimerSection(store, TimerSection::OutputMode, {}));
    EXPECT_EQ(Stored(TimerSection::OutputMode, "Timer"), "0");
    EXPECT_EQ(Stored(TimerSection::OutputMode, "Timer1"), cases[1].text);
    EXPECT_TRUE(LoadTimerSection(store, TimerSection::OutputMode, kNoon).empty());
    EXPECT_TRUE(LoadTimerSection(store, TimerSection::InputSignal, kNoon).empty());
}

TEST_F(TimerFileTest, BadFilesReadWithoutHarm) {
    folder.Write("Timer.ini",
                 "[TIMERIN]\r\nTimer=2000000000\r\nTimer0=2,x\r\nTimer1=9,1,12:00:00,7,,2\r\n"
                 "[TIMERALL]\r\nTimer=-3\r\nTimer0=1,1,1,01:00:00,1\r\n");
    const auto in = LoadTimerSection(store, TimerSection::InputSignal, kNoon);
    ASSERT_EQ(in.size(), 2u);  // the count is far beyond the records present
    EXPECT_EQ(in[0].kind, TimerKind::Week);
    EXPECT_EQ(in[0].value, 0);
    EXPECT_TRUE(in[0].time.empty());
    EXPECT_TRUE(in[0].boards.empty());
    // An unknown kind sorts last.
    EXPECT_EQ(in[1].boards, (std::vector<std::uint8_t>{7, 2}));
    EXPECT_EQ(BoardsText(in[1]), "B");
    EXPECT_TRUE(LoadTimerSection(store, TimerSection::Brightness, kNoon).empty());
}

TEST(TimerNames, BothLanguagesAndNothingOutsideTheTables) {
    EXPECT_EQ(WeekdayName(1, kChinese), "1星期一");
    EXPECT_EQ(WeekdayName(7, kChinese), "7星期日");
    EXPECT_EQ(WeekdayName(7, kEnglish), "7Sun");
    EXPECT_EQ(WeekdayName(8, kEnglish), "");
    EXPECT_EQ(TimerKindName(TimerKind::Once), "Once");
    EXPECT_EQ(TimerKindName(static_cast<TimerKind>(0)), "");
    const auto cases = StoredCases();
    EXPECT_EQ(ActionText(cases[0].record), "VGA");
    EXPECT_EQ(ActionText(cases[1].record), "Mode3");
    EXPECT_EQ(ActionText(cases[2].record), "80/20");
    EXPECT_EQ(BoardsText(cases[2].record), "A,K");
    EXPECT_EQ(ModeName(16), "");
    EXPECT_EQ(SignalName(-1), "");
}

}  // namespace
}  // namespace hsq
