#include "scheduler/timer_editor_logic.h"

#include <algorithm>

#include "dialog/number_text.h"
#include "scheduler/calendar.h"
#include "scheduler/timer_file.h"
#include "scheduler/timer_names.h"
#include "scheduler/timer_order.h"

namespace hsq {
namespace {

using Caption = TimerEditorLogic::Caption;

// In Caption order.
constexpr std::array<Bilingual, 9> kCaptions{{
    {"定时器（定时器中可能出现时间冲突的情况，处理时将会出现一点延迟）",
     "Timer（The emergence time of conflict might in the timer, will appear a little delayed "
     "treatment）"},
    {"保存", "Save"},
    {"删除", "Delete"},
    {"启动", "Start"},
    {"关闭", "Close"},
    {"同时调用输入板", "Input card also response"},
    {"输入亮度(0~100)", "Input(0~100)"},
    {"输出亮度(0~32)", "Output(0~32)"},
    {"待执行", "Pending"},
}};

// In TimerKind order; the fourth is the Once kind.
constexpr std::array<Bilingual, 4> kKindChoices{{
    {"日定时", "Day"}, {"周定时", "Week"}, {"月定时", "Month"}, {"一次定时", "Year"}}};

constexpr Bilingual kIndexColumn{"序号", "Index"};
constexpr Bilingual kTimerTypeColumn{"定时类型", "Timer type"};
constexpr Bilingual kTimeColumn{"时间", "Time"};
constexpr Bilingual kBoardColumn{"板卡", "Board"};
constexpr Bilingual kActionColumn{"操作", "Action"};

// A record of the file that cannot be carried out (Timer.ini edited by hand, or damaged).
constexpr Bilingual kDamagedType{"损坏", "Damaged"};

constexpr Bilingual kExpired{"此日期已过期", "This date has expired"};
constexpr Bilingual kExitQuestion{"您确定要退出此界面吗?定时器将会被关闭 ",
                                  "Are you sure you exit this interface？The timer will be closed"};
// These two exist in Chinese only.
constexpr std::string_view kInputBrightnessRange = "输入亮度值必须 <= 100， >= 0";
constexpr std::string_view kOutputBrightnessRange = "输出亮度值必须 <= 32， >= 0";

constexpr std::string_view kOpeningInputBrightness = "50";
constexpr std::string_view kOpeningOutputBrightness = "32";

constexpr std::uint8_t kInputBoards[] = {1, 2, 3, 4};     // A..D
constexpr std::uint8_t kOutputBoards[] = {5, 6};          // K, L
constexpr std::uint8_t kAllBoards[] = {1, 2, 3, 4, 5, 6};
constexpr std::uint8_t kBoardsA[] = {kBoardA};
constexpr std::uint8_t kBoardsK[] = {kBoardK};
constexpr std::uint8_t kBoardsAK[] = {kBoardA, kBoardK};

struct SectionPanel {
    Bilingual caption;
    Bilingual boardColumn;
    Bilingual valueColumn;
    std::span<const std::uint8_t> boards;
    std::span<const std::uint8_t> openingBoards;
};

// In TimerSection order.
constexpr std::array<SectionPanel, 3> kSectionPanels{{
    {{"输入信号", "Input signal"}, {"输入板", "Input board"}, {"信号", "Signal"}, kInputBoards,
     kBoardsA},
    {{"输出显示模式", "Output display mode"}, {"输出板", "Output board"}, {"模式", "Mode"},
     kOutputBoards, kBoardsK},
    {{"输入输出亮度", "Input/Output brightness"}, kBoardColumn, {"亮度(输入/输出)", "Brt(In/Out)"},
     kAllBoards, kBoardsAK},
}};

std::size_t At(TimerSection section) { return static_cast<std::size_t>(section) - 1; }

const SectionPanel& PanelOf(TimerSection section) { return kSectionPanels[At(section)]; }

bool Offers(TimerSection section, std::uint8_t board) {
    const auto boards = PanelOf(section).boards;
    return std::find(boards.begin(), boards.end(), board) != boards.end();
}

bool IsPickerDate(const CalendarDate& date) {
    if (date.year < kFirstTimerYear || date.year > kLastTimerYear) return false;
    if (date.month < 1 || date.month > 12 || date.day < 1) return false;
    return DayNumber(date.year, date.month, date.day) < DayNumber(date.year, date.month + 1, 1);
}

bool IsTimeOfDay(const TimeOfDay& time) {
    return time.hour >= 0 && time.hour < 24 && time.minute >= 0 && time.minute < 60 &&
           time.second >= 0 && time.second < 60;
}

TimerPanel OpeningPanel(TimerSection section, const LocalTime& now) {
    TimerPanel panel;
    panel.inputBrightness = kOpeningInputBrightness;
    panel.outputBrightness = kOpeningOutputBrightness;
    panel.weekdayIndex = Weekday(Today(now)) - 1;
    panel.monthDayIndex = now.day - 1;
    panel.date = {now.year, now.month, now.day};
    panel.time = {now.hour, now.minute, now.second};
    for (std::uint8_t board : PanelOf(section).openingBoards) panel.boards[board - 1] = true;
    return panel;
}

// Read as an unsigned number: a negative one is refused like one too high.
std::optional<std::int8_t> BrightnessFrom(std::string_view text, int highest) {
    const auto number = NumberFromText(text);
    if (!number || *number < 0 || *number > highest) return std::nullopt;
    return static_cast<std::int8_t>(*number);
}

// The time with what tells the day: the weekday, the day of the month or the date.
std::string TimeColumn(const TimerRecord& record, LanguageFlag language) {
    switch (record.kind) {
        case TimerKind::Week: return record.time + " " + std::string(WeekdayName(record.weekday, language));
        case TimerKind::Month: return record.time + " " + std::to_string(record.monthDay);
        case TimerKind::Once: return record.time + " " + record.date;
        default: return record.time;
    }
}

}  // namespace

TimerEditorLogic::TimerEditorLogic(ProfileStore& store, DeviceCommands& commands,
                                   DialogHost& host, LanguageFlag language,
                                   bool& inputCardAlsoResponds)
    : store_(store),
      clock_(commands.link().clock()),
      host_(host),
      language_(language),
      inputCardAlsoResponds_(inputCardAlsoResponds),
      runner_(commands, clock_, this) {
    const LocalTime now = clock_.LocalNow();
    for (TimerSection section : kTimerSections) {
        Panel(section) = OpeningPanel(section, now);
        Records(section) = LoadTimerSection(store_, section, now);
    }
    runner_.SetInputCardAlsoResponds(inputCardAlsoResponds_);
}

std::string_view TimerEditorLogic::CaptionText(Caption caption) const {
    return kCaptions[static_cast<std::size_t>(caption)].In(language_);
}

std::string_view TimerEditorLogic::PanelCaption(TimerSection section) const {
    return PanelOf(section).caption.In(language_);
}

std::array<std::string_view, 5> TimerEditorLogic::TimerColumns(TimerSection section) const {
    const SectionPanel& panel = PanelOf(section);
    return {kIndexColumn.In(language_), kTimerTypeColumn.In(language_),
            panel.boardColumn.In(language_), panel.valueColumn.In(language_),
            kTimeColumn.In(language_)};
}

std::array<std::string_view, 4> TimerEditorLogic::PendingColumns() const {
    return {kIndexColumn.In(language_), kBoardColumn.In(language_), kActionColumn.In(language_),
            kTimeColumn.In(language_)};
}

std::array<std::string_view, 4> TimerEditorLogic::KindChoices() const {
    std::array<std::string_view, 4> choices;
    for (std::size_t i = 0; i < choices.size(); ++i) choices[i] = kKindChoices[i].In(language_);
    return choices;
}

std::vector<std::string> TimerEditorLogic::ValueChoices(TimerSection section) {
    std::vector<std::string> choices;
    if (section == TimerSection::InputSignal) {
        for (int signal = 0; signal < kSignalCount; ++signal)
            choices.emplace_back(SignalName(signal));
    } else if (section == TimerSection::OutputMode) {
        for (int mode = 0; mode < kTimerModeCount; ++mode) choices.push_back(ModeName(mode));
    }
    return choices;
}

std::vector<std::string> TimerEditorLogic::WeekdayChoices() {
    std::vector<std::string> choices;
    for (int weekday = 1; weekday <= 7; ++weekday)
        choices.emplace_back(WeekdayName(weekday, kEnglish));
    return choices;
}

std::vector<std::string> TimerEditorLogic::MonthDayChoices() {
    std::vector<std::string> choices;
    for (int day = 1; day <= kMonthDayCount; ++day) choices.push_back(std::to_string(day));
    return choices;
}

std::span<const std::uint8_t> TimerEditorLogic::PanelBoards(TimerSection section) {
    return PanelOf(section).boards;
}

TimerPanelView TimerEditorLogic::PanelView(TimerSection section) const {
    const TimerPanel& panel = panels_[At(section)];
    const bool running = runner_.IsRunning(section);
    return {panel, panel.kind == TimerKind::Week, panel.kind == TimerKind::Month,
            panel.kind == TimerKind::Once, !running, running};
}

std::vector<TimerListRow> TimerEditorLogic::TimerRows(TimerSection section) const {
    std::vector<TimerListRow> rows;
    for (const TimerRecord& record : records_[At(section)]) {
        if (record.damaged) {
            rows.push_back({std::to_string(rows.size() + 1),
                            std::string(kDamagedType.In(language_)), "", "", *record.damaged});
            continue;
        }
        rows.push_back({std::to_string(rows.size() + 1), std::string(TimerKindName(record.kind)),
                        BoardsText(record), ActionText(record), TimeColumn(record, language_)});
    }
    return rows;
}

// Every entry is due today: its time says when.
std::vector<PendingRow> TimerEditorLogic::PendingRows() const {
    std::vector<PendingRow> rows;
    for (const TimerRecord& record : runner_.Pending())
        rows.push_back({std::to_string(rows.size() + 1), BoardsText(record), ActionText(record),
                        record.time});
    return rows;
}

void TimerEditorLogic::OnKind(TimerSection section, TimerKind kind) {
    if (!TimerKindName(kind).empty()) Panel(section).kind = kind;
}

void TimerEditorLogic::OnChoice(TimerSection section, int position) {
    if (position >= 0 && position < static_cast<int>(ValueChoices(section).size()))
        Panel(section).choice = position;
}

void TimerEditorLogic::OnBrightnessText(BrightnessBox box, std::string text) {
    TimerPanel& panel = Panel(TimerSection::Brightness);
    (box == BrightnessBox::Input ? panel.inputBrightness : panel.outputBrightness) =
        std::move(text);
}

void TimerEditorLogic::OnWeekday(TimerSection section, int index) {
    if (index >= 0 && index < 7) Panel(section).weekdayIndex = index;
}

void TimerEditorLogic::OnMonthDay(TimerSection section, int index) {
    if (index >= 0 && index < kMonthDayCount) Panel(section).monthDayIndex = index;
}

void TimerEditorLogic::OnDate(TimerSection section, const CalendarDate& date) {
    if (IsPickerDate(date)) Panel(section).date = date;
}

void TimerEditorLogic::OnTime(TimerSection section, const TimeOfDay& time) {
    if (IsTimeOfDay(time)) Panel(section).time = time;
}

void TimerEditorLogic::OnBoard(TimerSection section, std::uint8_t board, bool checked) {
    if (Offers(section, board)) Panel(section).boards[board - 1] = checked;
}

void TimerEditorLogic::OnInputCardAlsoResponds(bool on) {
    inputCardAlsoResponds_ = on;
    runner_.SetInputCardAlsoResponds(on);
}

void TimerEditorLogic::OnSave(TimerSection section) {
    std::optional<TimerRecord> record = RecordFromPanel(section);
    if (!record) return;
    std::vector<TimerRecord>& records = Records(section);
    if (std::optional<std::size_t>& mark = editMarks_[At(section)]) {
        if (*mark < records.size()) records.erase(records.begin() + static_cast<std::ptrdiff_t>(*mark));
        mark.reset();
    }
    records.push_back(std::move(*record));
    SortAndWrite(section);
}

// The mark stays on the record being changed, wherever the sort puts it.
void TimerEditorLogic::OnDelete(TimerSection section, int row) {
    std::vector<TimerRecord>& records = Records(section);
    if (row < 0 || row >= static_cast<int>(records.size())) return;
    std::optional<std::size_t>& mark = editMarks_[At(section)];
    std::optional<TimerRecord> marked;
    if (mark && *mark < records.size() && *mark != static_cast<std::size_t>(row))
        marked = records[*mark];
    records.erase(records.begin() + row);
    SortAndWrite(section);
    mark.reset();
    if (!marked) return;
    const auto at = std::find(records.begin(), records.end(), *marked);
    if (at != records.end()) mark = static_cast<std::size_t>(at - records.begin());
}

// A damaged record has nothing to show; the next Save replaces it all the same.
void TimerEditorLogic::OnRowDoubleClicked(TimerSection section, int row) {
    const std::vector<TimerRecord>& records = Records(section);
    if (row < 0 || row >= static_cast<int>(records.size())) return;
    const TimerRecord& record = records[static_cast<std::size_t>(row)];
    if (!record.IsDamaged()) ShowInPanel(record);
    editMarks_[At(section)] = static_cast<std::size_t>(row);
}

void TimerEditorLogic::OnStart(TimerSection section) { runner_.Start(section, Records(section)); }

void TimerEditorLogic::OnClose(TimerSection section) { runner_.Stop(section); }

bool TimerEditorLogic::OnExit() {
    if (!runner_.WorkerActive()) return true;
    if (!host_.AskYesNo(kSystemMessage.In(language_), kExitQuestion.In(language_))) return false;
    runner_.StopAll();
    return true;
}

TimerEditorLogic::~TimerEditorLogic() { SetPendingListener(nullptr); }

void TimerEditorLogic::SetPendingListener(std::function<void()> listener) {
    std::lock_guard hold(listenerMutex_);
    listener_ = std::move(listener);
}

void TimerEditorLogic::PendingChanged() {
    std::lock_guard hold(listenerMutex_);
    if (listener_) listener_();
}

TimerPanel& TimerEditorLogic::Panel(TimerSection section) { return panels_[At(section)]; }

std::vector<TimerRecord>& TimerEditorLogic::Records(TimerSection section) {
    return records_[At(section)];
}

void TimerEditorLogic::Tell(std::string_view text) {
    host_.ShowMessage(kSystemMessage.In(language_), text);
}

// Nothing for a record the operator must correct first; he has been told why.
std::optional<TimerRecord> TimerEditorLogic::RecordFromPanel(TimerSection section) {
    const TimerPanel& panel = Panel(section);
    TimerRecord record;
    record.section = section;
    record.kind = panel.kind;
    record.value = static_cast<std::int8_t>(panel.choice);
    if (panel.kind == TimerKind::Week) record.weekday = static_cast<std::int8_t>(panel.weekdayIndex + 1);
    if (panel.kind == TimerKind::Month) record.monthDay = static_cast<std::int8_t>(panel.monthDayIndex + 1);
    record.time = FormatTime(panel.time);
    for (std::uint8_t board : PanelBoards(section)) {
        if (panel.boards[board - 1]) record.boards.push_back(board);
    }
    if (section == TimerSection::Brightness && !TakeBrightness(panel, record)) return std::nullopt;
    if (panel.kind == TimerKind::Once && !TakeDate(panel, record)) return std::nullopt;
    return record;
}

bool TimerEditorLogic::TakeBrightness(const TimerPanel& panel, TimerRecord& record) {
    const auto input = BrightnessFrom(panel.inputBrightness, kMaxInputBrightness);
    if (!input) {
        Tell(kInputBrightnessRange);
        return false;
    }
    const auto output = BrightnessFrom(panel.outputBrightness, kMaxOutputBrightness);
    if (!output) {
        Tell(kOutputBrightnessRange);
        return false;
    }
    record.value = *input;
    record.outBrightness = *output;
    return true;
}

bool TimerEditorLogic::TakeDate(const TimerPanel& panel, TimerRecord& record) {
    const std::int64_t firing = MomentSeconds(DayNumber(panel.date.year, panel.date.month, panel.date.day),
                                              panel.time.hour, panel.time.minute, panel.time.second);
    if (firing <= MomentSeconds(clock_.LocalNow())) {
        Tell(kExpired.In(language_));
        return false;
    }
    record.date = FormatDate(panel.date);
    return true;
}

// Through the handlers, so that a record read from a hand-edited file cannot put into the
// panel what its controls cannot show: such a field leaves the control as it was.
void TimerEditorLogic::ShowInPanel(const TimerRecord& record) {
    const TimerSection section = record.section;
    OnKind(section, record.kind);
    if (section == TimerSection::Brightness) {
        OnBrightnessText(BrightnessBox::Input, std::to_string(record.value));
        OnBrightnessText(BrightnessBox::Output, std::to_string(record.outBrightness));
    } else {
        OnChoice(section, record.value);
    }
    OnWeekday(section, record.weekday - 1);
    OnMonthDay(section, record.monthDay - 1);
    if (record.kind == TimerKind::Once) OnDate(section, ParseDate(record.date));
    OnTime(section, ParseTime(record.time));
    Panel(section).boards = {};
    for (std::uint8_t board : record.boards) OnBoard(section, board, true);
}

// A file that cannot be written is told to the operator by the store's problem sink, as for
// every configuration file.
void TimerEditorLogic::SortAndWrite(TimerSection section) {
    SortByNextFiring(Records(section), clock_.LocalNow());
    SaveTimerSection(store_, section, Records(section));
}

}  // namespace hsq
