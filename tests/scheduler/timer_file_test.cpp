// Timer records in "Timer.ini": the stored texts, the count, and what bad files read as.
#include "scheduler/timer_file.h"

#include <gtest/gtest.h>

#include "app/profile_problem_notices.h"
#include "support/scripted_host.h"
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

struct RecordTextCase {
    TimerSection section;
    const char* text;
    const char* stored;  // as Save writes it back; null: damaged
};

// Out of its range, a number used to wrap into a valid one and fire: 257 as signal 1 and board A,
// kind 257 as Day, board 261 as K, output brightness -224 as 32.
const RecordTextCase kRecordTexts[] = {
    {TimerSection::InputSignal, "1,257,12:00:30,257", nullptr},
    {TimerSection::InputSignal, "1,4,12:00:30,1", nullptr},
    {TimerSection::InputSignal, "1,1,12:00:30,5", nullptr},
    {TimerSection::InputSignal, "1,1,24:00:00,1", nullptr},
    {TimerSection::InputSignal, "2,1,8,12:00:00,1", nullptr},
    {TimerSection::InputSignal, "2,x", nullptr},
    {TimerSection::InputSignal, "2,3,7, 8:5:0 ,4,", "2,3,7,08:05:00,4"},
    {TimerSection::OutputMode, "3,15,32,12:00:00,5", nullptr},
    {TimerSection::OutputMode, "4,0,2026-02-29,12:00:00,6", nullptr},
    {TimerSection::OutputMode, "4,0,2028-02-29,12:00:00,6", "4,0,2028-02-29,12:00:00,6"},
    {TimerSection::OutputMode, "0,0,12:00:00,5", nullptr},
    {TimerSection::OutputMode, "3,15,31,00:00:01,", "3,15,31,00:00:01,"},
    {TimerSection::Brightness, "257,50,10,12:00:00,1", nullptr},
    {TimerSection::Brightness, "1,50,-224,12:00:00,5", nullptr},
    {TimerSection::Brightness, "1,50,32,12:00:00,261", nullptr},
    {TimerSection::Brightness, "1, 50 ,32,12:00:00,1,6", "1,50,32,12:00:00,1,6"},
};

TEST(TimerRecordText, ARecordOutOfItsRangesIsDamagedAndNeverWrapsIntoAnother) {
    for (const auto& [section, text, stored] : kRecordTexts) {
        const TimerRecord record = ParseTimerRecord(section, text);
        EXPECT_EQ(record.damaged, stored ? std::nullopt : std::optional<std::string>(text)) << text;
        EXPECT_EQ(TimerRecordText(record), stored ? stored : text) << text;
        if (stored) {
            EXPECT_EQ(ParseTimerRecord(section, TimerRecordText(record)), record) << text;
        }
    }
}

// A missing record stopped the loading, and the next Save wrote the shorter list over the rest.
TEST_F(TimerFileTest, EveryRecordWithinTheCountLoadsAndADamagedFileIsToldOnceAndKeptAside) {
    const std::string original =
        "[TIMERIN]\r\nTimer=6\r\nTimer0=1,0,11:00:00,1\r\nTimer2=1,257,12:00:30,257\r\n"
        "Timer3=1,2,13:00:00,2\r\nTimer4=' \"x\" '\r\nTimer7=1,3,14:00:00,3\r\n"
        "[TIMEROUT]\r\nTimer=2000000000\r\nTimer0=1,2,23:00:05,5,6\r\n";
    folder.Write("Timer.ini", original);
    testing::ScriptedHost host;
    ProfileProblemNotices notices(host, kEnglish);
    store.SetProblemSink(&notices);

    const auto in = LoadTimerSection(store, TimerSection::InputSignal, kNoon);
    EXPECT_EQ(LoadTimerSection(store, TimerSection::OutputMode, kNoon).size(), 1U);
    std::vector<std::string> texts;
    for (const TimerRecord& record : in) texts.push_back(TimerRecordText(record));
    // Damaged ones last; Timer7 is beyond the count.
    EXPECT_EQ(texts, (std::vector<std::string>{"1,0,11:00:00,1", "1,2,13:00:00,2",
                                               "1,257,12:00:30,257", " \"x\" "}));
    ASSERT_EQ(host.boxes.size(), 1U);
    EXPECT_NE(host.boxes[0].text.find("Timer.ini"), std::string::npos);

    ASSERT_TRUE(SaveTimerSection(store, TimerSection::InputSignal, in));
    store.SetProblemSink(nullptr);
    EXPECT_EQ(folder.Read("Timer.ini.bad"), original);
    EXPECT_EQ(Stored(TimerSection::InputSignal, "Timer"), "4");
    EXPECT_EQ(Stored(TimerSection::InputSignal, "Timer2"), "1,257,12:00:30,257");
    EXPECT_EQ(LoadTimerSection(store, TimerSection::InputSignal, kNoon), in);
    EXPECT_EQ(host.boxes.size(), 1U);
}

}  // namespace
}  // namespace hsq
