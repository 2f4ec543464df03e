#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "commands/device_commands.h"
#include "config/profile_store.h"
#include "dialog/bilingual.h"
#include "dialog/dialog_host.h"
#include "scheduler/timer_observer.h"
#include "scheduler/timer_record.h"
#include "scheduler/timer_runner.h"

namespace hsq {

inline constexpr int kTimerBoardCount = 6;  // A..D, K, L
inline constexpr int kMonthDayCount = 31;
// The date picker's years: four digits, as the file writes them.
inline constexpr int kFirstTimerYear = 2000;
inline constexpr int kLastTimerYear = 9999;

// What one section's panel holds, as the operator set it.
struct TimerPanel {
    TimerKind kind = TimerKind::Day;
    int choice = 0;                // signal position or mode index
    std::string inputBrightness;   // the brightness panel's boxes, as typed
    std::string outputBrightness;
    int weekdayIndex = 0;          // 0 Monday .. 6 Sunday
    int monthDayIndex = 0;         // 0..30 for days 1..31
    CalendarDate date;
    TimeOfDay time;
    std::array<bool, kTimerBoardCount> boards{};  // by board number - 1

    bool operator==(const TimerPanel&) const = default;
};

// The panel with what its kind and its section's state let the operator use.
struct TimerPanelView {
    TimerPanel values;
    bool weekdayEnabled = false;
    bool monthDayEnabled = false;
    bool dateEnabled = false;
    bool startEnabled = true;
    bool closeEnabled = false;
};

// Index, timer type, boards, action, time.
using TimerListRow = std::array<std::string, 5>;
// Index, boards, action, time.
using PendingRow = std::array<std::string, 4>;

// The timer dialog (CCTimeOn) without its window: a panel and a list of timers per section,
// saved to "Timer.ini" on every change, and each section started and stopped through a
// TimerRunner. Everything runs on the window's thread except the pending listener; nothing here
// waits for the worker. A damaged record of the file is listed as "Damaged" with its text, never
// started, and written back as it was until it is deleted or replaced (double click, Save).
class TimerEditorLogic final : private TimerObserver {
  public:
    enum class Caption {
        Title, Save, Delete, Start, Close, InputCardAlsoResponds, InputBrightness,
        OutputBrightness, PendingList,
    };
    enum class BrightnessBox { Input, Output };

    // Opens as the dialog does: every panel at today and now, the three sections loaded from the
    // file, the check box from inputCardAlsoResponds, which it sets and clears from then on.
    TimerEditorLogic(ProfileStore& store, DeviceCommands& commands, DialogHost& host,
                     LanguageFlag language, bool& inputCardAlsoResponds);
    // Stops every section without telling the listener: its window may be gone already.
    ~TimerEditorLogic() override;

    std::string_view CaptionText(Caption caption) const;
    std::string_view PanelCaption(TimerSection section) const;
    std::array<std::string_view, 5> TimerColumns(TimerSection section) const;
    std::array<std::string_view, 4> PendingColumns() const;
    // The selectors' entries: Day, Week, Month, Once in that order; the section's signals or
    // modes; "1Mon".."7Sun"; "1".."31".
    std::array<std::string_view, 4> KindChoices() const;
    static std::vector<std::string> ValueChoices(TimerSection section);
    static std::vector<std::string> WeekdayChoices();
    static std::vector<std::string> MonthDayChoices();
    // The boards the section's panel offers, in board order.
    static std::span<const std::uint8_t> PanelBoards(TimerSection section);

    TimerPanelView PanelView(TimerSection section) const;
    std::vector<TimerListRow> TimerRows(TimerSection section) const;
    std::vector<PendingRow> PendingRows() const;
    bool InputCardAlsoResponds() const { return inputCardAlsoResponds_; }

    void OnKind(TimerSection section, TimerKind kind);
    void OnChoice(TimerSection section, int position);
    void OnBrightnessText(BrightnessBox box, std::string text);
    void OnWeekday(TimerSection section, int index);
    void OnMonthDay(TimerSection section, int index);
    void OnDate(TimerSection section, const CalendarDate& date);
    void OnTime(TimerSection section, const TimeOfDay& time);
    void OnBoard(TimerSection section, std::uint8_t board, bool checked);
    void OnInputCardAlsoResponds(bool on);

    void OnSave(TimerSection section);
    // row: the list's selected row, -1 for none.
    void OnDelete(TimerSection section, int row);
    // Shows the record in the panel; the panel's next Save replaces it.
    void OnRowDoubleClicked(TimerSection section, int row);
    void OnStart(TimerSection section);
    void OnClose(TimerSection section);
    // Closing the window: false when it must stay open.
    bool OnExit();

    // Called when the pending list changed, from the worker's thread too; null for none. The
    // listener is not called any more once this returns.
    void SetPendingListener(std::function<void()> listener);

  private:
    void PendingChanged() override;
    TimerPanel& Panel(TimerSection section);
    std::vector<TimerRecord>& Records(TimerSection section);
    void Tell(std::string_view text);
    std::optional<TimerRecord> RecordFromPanel(TimerSection section);
    bool TakeBrightness(const TimerPanel& panel, TimerRecord& record);
    bool TakeDate(const TimerPanel& panel, TimerRecord& record);
    void ShowInPanel(const TimerRecord& record);
    void SortAndWrite(TimerSection section);

    ProfileStore& store_;
    Clock& clock_;
    DialogHost& host_;
    const LanguageFlag language_;
    bool& inputCardAlsoResponds_;
    std::array<TimerPanel, kTimerSections.size()> panels_;
    std::array<std::vector<TimerRecord>, kTimerSections.size()> records_;
    // Per section, the list position that the next Save replaces.
    std::array<std::optional<std::size_t>, kTimerSections.size()> editMarks_;
    std::mutex listenerMutex_;
    std::function<void()> listener_;
    // Last: its worker, which calls the listener, ends before the listener goes.
    TimerRunner runner_;
};

}  // namespace hsq
