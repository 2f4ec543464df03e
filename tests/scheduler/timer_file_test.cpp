// Timer records in "Timer.ini": the stored texts, the count, and what bad files read as.
#include "scheduler/timer_file.h"

#include <gtest/gtest.h>

#include "scheduler/timer_names.h"
#include "timer_rig.h"

namespace hsq {
namespace {

const LocalTime kNoon{2025, 3, 5, 12, 0, 0, 0};

using testing::StoredCases;

using TimerFileTest = testing::TimerStoreTest;

TEST_F(TimerFileTest, EachRecordIsStoredAsItsTextAndAnEmptySectionAsZeroWithOldKeysUnread) {
    const auto cases = StoredCases();
    for (const auto& [record, text] : cases) {
        ASSERT_TRUE(SaveTimerSection(store, record.section, std::vector{record}));
        EXPECT_EQ(Stored(record.section, "Timer"), "1");
        EXPECT_EQ(Stored(record.section, "Timer0"), text);
        EXPECT_EQ(LoadTimerSection(store, record.section, kNoon), std::vector{record}) << text;
    }
    EXPECT_NE(folder.Read("Timer.ini").find("[TIMERALL]"), std::string::npos);

    const std::vector two{cases[1].record, cases[1].record};
    ASSERT_TRUE(SaveTimerSection(store, TimerSection::OutputMode, two));
    ASSERT_TRUE(SaveTimerSection(store, TimerSection::OutputMode, {}));
    EXPECT_EQ(Stored(TimerSection::OutputMode, "Timer"), "0");
    EXPECT_EQ(Stored(TimerSection::OutputMode, "Timer1"), cases[1].text);
    EXPECT_TRUE(LoadTimerSection(store, TimerSection::OutputMode, kNoon).empty());
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

// The names in the lists; the timer dialog's lists show those within the tables.
TEST(TimerNames, BothLanguagesAndNothingOutsideTheTables) {
    EXPECT_EQ(WeekdayName(1, kChinese), "1星期一");
    EXPECT_EQ(WeekdayName(7, kChinese), "7星期日");
    EXPECT_EQ(WeekdayName(7, kEnglish), "7Sun");
    EXPECT_EQ(WeekdayName(8, kEnglish), "");
    EXPECT_EQ(TimerKindName(TimerKind::Once), "Once");
    EXPECT_EQ(TimerKindName(static_cast<TimerKind>(0)), "");
    EXPECT_EQ(ModeName(16), "");
    EXPECT_EQ(SignalName(-1), "");
}

}  // namespace
}  // namespace hsq
