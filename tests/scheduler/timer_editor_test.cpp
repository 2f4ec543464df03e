// The timer dialog's logic: its panels, lists and file, and the sections it starts against the
// simulated processor on virtual time.
#include "scheduler/timer_editor_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "scheduler/timer_file.h"
#include "support/scripted_host.h"
#include "support/temp_folder.h"
#include "timer_rig.h"

namespace hsq {
namespace {

using testing::DayTimer;
using testing::MakeTimer;
using Rows = std::vector<TimerListRow>;
using Commands = std::vector<std::string>;  // also texts shown

constexpr LocalTime kWednesdayTen{2026, 1, 7, 10, 0, 0};
class TimerEditorTest : public testing::TimerStoreTest {
  protected:
    TimerEditorLogic& Open(LanguageFlag language = kEnglish) {
        logic.emplace(store, rig.commands, host, language, inputCardAlsoResponds);
        return *logic;
    }
    void Keep(TimerSection section, const std::vector<TimerRecord>& records) {
        ASSERT_TRUE(SaveTimerSection(store, section, records));
    }

    testing::TimerRig rig{kWednesdayTen};
    testing::ScriptedHost host;
    bool inputCardAlsoResponds = true;
    std::optional<TimerEditorLogic> logic;
};

TEST_F(TimerEditorTest, ListsShowTheFilesTimersSortedInEitherLanguage) {
    const auto stored = testing::StoredCases();  // weekly input, daily output, once brightness
    Keep(TimerSection::InputSignal,
         {DayTimer(TimerSection::InputSignal, "23:00:05", 3, {2}), stored[0].record});
    Keep(TimerSection::Brightness,
         {MakeTimer(TimerSection::Brightness, {TimerKind::Month, 15, "", "09:00:00"}, 5, {6}),
          stored[2].record});
    Keep(TimerSection::OutputMode, {stored[1].record});

    Open(kChinese);
    EXPECT_EQ(logic->TimerRows(TimerSection::InputSignal),
              (Rows{{"1", "Day", "B", "VIDEO", "23:00:05"},
                    {"2", "Week", "A,C", "VGA", "08:30:00 1星期一"}}));
    Open(kEnglish);
    EXPECT_EQ(logic->TimerRows(TimerSection::InputSignal)[1][4], "08:30:00 1Mon");
    EXPECT_EQ(logic->TimerRows(TimerSection::OutputMode), (Rows{{"1", "Day", "K,L", "Mode3", "23:00:05"}}));
    // A Once timer already past comes first.
    EXPECT_EQ(logic->TimerRows(TimerSection::Brightness),
              (Rows{{"1", "Once", "A,K", "80/20", "07:00:00 2025-01-02"},
                    {"2", "Month", "L", "5/0", "09:00:00 15"}}));
}

TEST_F(TimerEditorTest, AOnceTimerIsSavedOnlyForAMomentStillToCome) {
    for (const auto& [language, time, shown] : {
             std::tuple{kEnglish, TimeOfDay{9, 59, 0}, "System information: This date has expired"},
             std::tuple{kChinese, TimeOfDay{10, 0, 0}, "系统消息: 此日期已过期"},
             std::tuple{kEnglish, TimeOfDay{10, 1, 0}, ""},
         }) {
        host.boxes.clear();
        Open(language).OnKind(TimerSection::InputSignal, TimerKind::Once);
        logic->OnTime(TimerSection::InputSignal, time);
        logic->OnSave(TimerSection::InputSignal);
        std::string boxes;
        for (const auto& box : host.boxes) boxes += box.caption + ": " + box.text;
        EXPECT_EQ(boxes, shown);
        EXPECT_EQ(logic->TimerRows(TimerSection::InputSignal).size(), *shown ? 0U : 1U);
        EXPECT_EQ(Stored(TimerSection::InputSignal, "Timer"), *shown ? "" : "1");
    }
    EXPECT_EQ(Stored(TimerSection::InputSignal, "Timer0"), "4,0,2026-01-07,10:01:00,1");
    // The panel opens at today: Wednesday the 7th.
    const TimerPanel opened = logic->PanelView(TimerSection::InputSignal).values;
    EXPECT_EQ(std::pair(opened.weekdayIndex, opened.monthDayIndex), std::pair(2, 6));
}

TEST_F(TimerEditorTest, BrightnessOutsideItsRangeIsRefusedWithItsMessage) {
    const std::string inputRange = "输入亮度值必须 <= 100， >= 0";
    const std::string outputRange = "输出亮度值必须 <= 32， >= 0";
    Open();
    int saved = 0;
    for (const auto& [input, output, message] : {
             std::tuple{"101", "32", inputRange},
             std::tuple{"", "32", inputRange},
             std::tuple{"100", "32", std::string()},  // none: saved
             std::tuple{"0", "33", outputRange},
             std::tuple{"0", "0", std::string()},
         }) {
        host.boxes.clear();
        logic->OnBrightnessText(TimerEditorLogic::BrightnessBox::Input, input);
        logic->OnBrightnessText(TimerEditorLogic::BrightnessBox::Output, output);
        logic->OnSave(TimerSection::Brightness);
        if (message.empty()) ++saved;
        EXPECT_EQ(host.Texts(), message.empty() ? Commands{} : Commands{message}) << input << output;
        EXPECT_EQ(Stored(TimerSection::Brightness, "Timer"), saved ? std::to_string(saved) : "");
    }
    EXPECT_EQ(Stored(TimerSection::Brightness, "Timer0"), "1,100,32,10:00:00,1,5");
}

// Save after a double click replaces the record it showed, wherever a delete has moved it; the
// mark goes with that Save, so the next one adds. Deleting the last writes a count of nothing.
TEST_F(TimerEditorTest, ADoubleClickedTimerChangedAndSavedTakesItsSortedPlaceAndDeletesEmptyTheFile) {
    Keep(TimerSection::InputSignal, {DayTimer(TimerSection::InputSignal, "11:00:00", 0, {1}),
                                     DayTimer(TimerSection::InputSignal, "12:00:00", 2, {2, 4}),
                                     DayTimer(TimerSection::InputSignal, "13:00:00", 1, {3})});
    Open().OnRowDoubleClicked(TimerSection::InputSignal, 1);
    EXPECT_EQ(logic->PanelView(TimerSection::InputSignal).values.choice, 2);
    logic->OnTime(TimerSection::InputSignal, {14, 0, 0});
    logic->OnSave(TimerSection::InputSignal);
    EXPECT_EQ(Stored(TimerSection::InputSignal, "Timer"), "3");
    EXPECT_EQ(Stored(TimerSection::InputSignal, "Timer1"), "1,1,13:00:00,3");
    EXPECT_EQ(Stored(TimerSection::InputSignal, "Timer2"), "1,2,14:00:00,2,4");
    EXPECT_EQ(logic->TimerRows(TimerSection::InputSignal)[2],
              (TimerListRow{"3", "Day", "B,D", "VGA", "14:00:00"}));
    logic->OnSave(TimerSection::InputSignal);
    EXPECT_EQ(Stored(TimerSection::InputSignal, "Timer"), "4");

    logic->OnRowDoubleClicked(TimerSection::InputSignal, 1);  // 13:00
    logic->OnDelete(TimerSection::InputSignal, 0);
    logic->OnTime(TimerSection::InputSignal, {9, 0, 0});
    logic->OnSave(TimerSection::InputSignal);
    EXPECT_EQ(Stored(TimerSection::InputSignal, "Timer"), "3");
    EXPECT_EQ(Stored(TimerSection::InputSignal, "Timer0"), "1,1,09:00:00,3");
    EXPECT_EQ(Stored(TimerSection::InputSignal, "Timer1"), "1,2,14:00:00,2,4");

    logic->OnDelete(TimerSection::InputSignal, -1);  // no row chosen
    EXPECT_EQ(logic->TimerRows(TimerSection::InputSignal).size(), 3U);
    for (int left = 3; left > 0; --left) logic->OnDelete(TimerSection::InputSignal, 0);
    EXPECT_TRUE(logic->TimerRows(TimerSection::InputSignal).empty());
    EXPECT_NE(folder.Read("Timer.ini").find("[TIMERIN]\r\nTimer=0\r\n"), std::string::npos);
}

TEST_F(TimerEditorTest, StartSendsTheSectionsTimersWithTheCheckBoxsPause) {
    Keep(TimerSection::OutputMode, {DayTimer(TimerSection::OutputMode, "10:00:30", 3, {5})});
    Open().SetPendingListener([&] { rig.gate.PendingChanged(); });
    logic->OnInputCardAlsoResponds(false);
    logic->OnInputCardAlsoResponds(true);
    EXPECT_TRUE(inputCardAlsoResponds);
    logic->OnStart(TimerSection::OutputMode);
    EXPECT_FALSE(logic->PanelView(TimerSection::OutputMode).startEnabled);
    EXPECT_TRUE(logic->PanelView(TimerSection::OutputMode).closeEnabled);
    rig.gate.WaitForChanges(2);  // the start, then the entry carried out

    EXPECT_EQ(rig.wire.Commands(), (Commands{"8D 00 00", "8E 03 01"}));
    const std::vector<int> pauses = rig.clock.Pauses();
    EXPECT_EQ(std::count(pauses.begin(), pauses.end(), 6000), 1);
    EXPECT_TRUE(logic->PendingRows().empty());
    logic->OnClose(TimerSection::OutputMode);
    EXPECT_TRUE(logic->PanelView(TimerSection::OutputMode).startEnabled);
    EXPECT_TRUE(logic->OnExit());
}

TEST_F(TimerEditorTest, ExitingAsksWhileTheWorkerWaitsAndNoKeepsItWaiting) {
    Keep(TimerSection::OutputMode, {DayTimer(TimerSection::OutputMode, "11:00:00", 0, {6})});
    Open().SetPendingListener([&] { rig.gate.PendingChanged(); });
    rig.gate.Arm(rig.clock, testing::kHourMs);
    logic->OnStart(TimerSection::OutputMode);
    rig.gate.WaitUntilHeld();
    EXPECT_EQ(logic->PendingRows(), (std::vector<PendingRow>{{"1", "L", "Mode1", "11:00:00"}}));

    host.Answer(false);
    EXPECT_FALSE(logic->OnExit());
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Are you sure you exit this interface？The timer will be closed"});
    EXPECT_TRUE(logic->PanelView(TimerSection::OutputMode).closeEnabled);
    EXPECT_EQ(logic->PendingRows().size(), 1U);

    host.Answer(true);
    EXPECT_TRUE(logic->OnExit());  // without waiting for the worker, held in its wait
    rig.gate.Open();
    EXPECT_TRUE(logic->PendingRows().empty());
    EXPECT_TRUE(logic->OnExit());  // no worker left to ask about
    EXPECT_EQ(host.boxes.size(), 2U);
    EXPECT_TRUE(rig.wire.Commands().empty());
}

struct PanelCase {
    TimerSection section;
    TimerKind kind;
    int weekdayIndex, monthDayIndex;
    CalendarDate date;
    std::vector<std::pair<std::uint8_t, bool>> boardClicks;
    const char* stored;
};

// Only what the kind uses goes into the record, boards in the order A..D, K, L.
const PanelCase kPanelCases[] = {
    {TimerSection::InputSignal, TimerKind::Week, 4, 20, {2026, 3, 4},
     {{4, true}, {2, true}, {1, false}}, "2,0,5,10:30:00,2,4"},
    {TimerSection::OutputMode, TimerKind::Month, 1, 30, {2026, 3, 4}, {{6, true}, {5, false}},
     "3,0,31,10:30:00,6"},
    {TimerSection::Brightness, TimerKind::Once, 1, 20, {2026, 3, 4},
     {{6, true}, {3, true}, {5, false}}, "4,50,32,2026-03-04,10:30:00,1,3,6"},
    {TimerSection::InputSignal, TimerKind::Day, 4, 20, {2026, 3, 4}, {{1, false}}, "1,0,10:30:00,"},
};

// Save writes what the panel shows; a double click on the row shows it again, whatever the panel
// held meanwhile.
TEST_F(TimerEditorTest, ThePanelMapsToTheStoredRecordAndADoubleClickMapsItBack) {
    for (const auto& c : kPanelCases) {
        std::filesystem::remove(folder / "Timer.ini");
        Open().OnKind(c.section, c.kind);
        logic->OnWeekday(c.section, c.weekdayIndex);
        logic->OnMonthDay(c.section, c.monthDayIndex);
        logic->OnDate(c.section, c.date);
        logic->OnTime(c.section, {10, 30, 0});
        for (const auto& [board, checked] : c.boardClicks)
            logic->OnBoard(c.section, board, checked);
        const TimerPanel saved = logic->PanelView(c.section).values;
        logic->OnSave(c.section);
        EXPECT_EQ(Stored(c.section, "Timer0"), c.stored);

        Open().OnKind(c.section, c.kind == TimerKind::Day ? TimerKind::Once : TimerKind::Day);
        logic->OnTime(c.section, {1, 2, 3});
        for (const std::uint8_t board : TimerEditorLogic::PanelBoards(c.section))
            logic->OnBoard(c.section, board, board % 2 == 0);
        // What the kind does not use stays as it was; what it uses comes from the record.
        logic->OnWeekday(c.section, c.kind == TimerKind::Week ? 0 : c.weekdayIndex);
        logic->OnMonthDay(c.section, c.kind == TimerKind::Month ? 0 : c.monthDayIndex);
        logic->OnDate(c.section, c.kind == TimerKind::Once ? CalendarDate{2027, 1, 1} : c.date);
        logic->OnRowDoubleClicked(c.section, 0);
        EXPECT_EQ(logic->PanelView(c.section).values, saved) << c.stored;
    }
}

// A record the file damaged is listed with its text, never started, and kept in the file until
// it is replaced.
TEST_F(TimerEditorTest, ADamagedRecordIsListedNeverStartedAndWrittenBackAsItWas) {
    folder.Write("Timer.ini", "[TIMERIN]\r\nTimer=2\r\nTimer0=1,257,10:00:30,257\r\n"
                              "Timer1=1,1,10:00:40,1\r\n");
    Open().SetPendingListener([&] { rig.gate.PendingChanged(); });
    EXPECT_EQ(logic->TimerRows(TimerSection::InputSignal),
              (Rows{{"1", "Day", "A", "DVI", "10:00:40"},
                    {"2", "Damaged", "", "", "1,257,10:00:30,257"}}));
    rig.gate.Arm(rig.clock, 40 * 1000);
    logic->OnStart(TimerSection::InputSignal);
    rig.gate.WaitUntilHeld();
    EXPECT_EQ(logic->PendingRows(), (std::vector<PendingRow>{{"1", "A", "DVI", "10:00:40"}}));
    rig.gate.Open();
    rig.gate.WaitForChanges(2);
    EXPECT_EQ(rig.wire.Commands(), (Commands{"80 00 00", "81 00 01"}));

    logic->OnTime(TimerSection::InputSignal, {9, 0, 0});
    logic->OnSave(TimerSection::InputSignal);
    EXPECT_EQ(Stored(TimerSection::InputSignal, "Timer2"), "1,257,10:00:30,257");
    logic->OnRowDoubleClicked(TimerSection::InputSignal, 2);
    logic->OnSave(TimerSection::InputSignal);
    EXPECT_EQ(logic->TimerRows(TimerSection::InputSignal),
              (Rows{{"1", "Day", "A", "SDI", "09:00:00"}, {"2", "Day", "A", "SDI", "09:00:00"},
                    {"3", "Day", "A", "DVI", "10:00:40"}}));
    EXPECT_EQ(Stored(TimerSection::InputSignal, "Timer2"), "1,1,10:00:40,1");
}

}  // namespace
}  // namespace hsq
