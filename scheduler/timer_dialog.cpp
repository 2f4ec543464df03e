#include "scheduler/timer_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <initializer_list>
#include <string>

#include "scheduler/timer_names.h"
#include "ui/field_text.h"
#include "ui/qt_text.h"
#include "ui/widget_row.h"

namespace hsq {
namespace {

constexpr int kBrightnessWidth = 48;
constexpr int kListRows = 6;
const QDate kFirstDate(kFirstTimerYear, 1, 1);
const QDate kLastDate(kLastTimerYear, 12, 31);

std::size_t At(TimerSection section) {
    return static_cast<std::size_t>(section) - 1;
}

std::vector<QString> Texts(const std::vector<std::string>& items) {
    std::vector<QString> texts;
    for (const std::string& item : items)
        texts.push_back(Text(item));
    return texts;
}

// A list in rows and columns, one row selectable, its columns as wide as their texts.
template <std::size_t Columns>
QTreeWidget* ReportList(const std::array<std::string_view, Columns>& captions, int visibleRows) {
    auto* list = new QTreeWidget;
    QStringList headers;
    for (std::string_view caption : captions)
        headers << Text(caption);
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->header()->setStretchLastSection(true);
    list->setMinimumHeight(list->header()->sizeHint().height() +
                           (visibleRows + 1) * list->fontMetrics().height());
    return list;
}

// Refilled whole from the logic every time, and painted whole: under openbox, after a double
// click, an edit and Save, the list kept a row painted as it was before (one timer twice, the
// edited one missing) until it was clicked, although its items were right. The operator's
// selection stays only when the rows are the same, so that Delete never takes a row that moved
// under the selection.
template <std::size_t Columns>
void ShowRows(QTreeWidget* list, const std::vector<std::array<std::string, Columns>>& rows,
              std::vector<std::array<std::string, Columns>>& shown) {
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    const int keep =
        rows == shown && !selected.isEmpty() ? list->indexOfTopLevelItem(selected.front()) : -1;
    const int scrolled = list->verticalScrollBar()->value();
    list->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const auto& row : rows) {
        QStringList texts;
        for (const std::string& text : row)
            texts << Text(text);
        items.append(new QTreeWidgetItem(texts));
    }
    list->addTopLevelItems(items);
    if (keep >= 0)
        list->topLevelItem(keep)->setSelected(true);
    list->verticalScrollBar()->setValue(scrolled);
    // Without this, openbox showed stale rows (above).
    list->viewport()->update();
    shown = rows;
}

int SelectedRow(const QTreeWidget* list) {
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.front());
}

void SetCurrent(QComboBox* combo, int index) {
    const QSignalBlocker quiet(combo);
    combo->setCurrentIndex(index);
}

// The pickers are set only when they show something else, which leaves the field being typed
// in alone.
void SetDate(QDateEdit* picker, const QDate& date) {
    if (picker->date() == date)
        return;
    const QSignalBlocker quiet(picker);
    picker->setDate(date);
}

void SetTime(QTimeEdit* picker, const QTime& time) {
    if (picker->time() == time)
        return;
    const QSignalBlocker quiet(picker);
    picker->setTime(time);
}

}  // namespace

CCTimeOn::CCTimeOn(TimerEditorLogic& logic, QWidget* parent) : StyledDialog(parent), logic_(logic) {
    setWindowTitle(CaptionOf(Caption::Title));
    auto* layout = new QVBoxLayout(this);
    auto* panels = new QHBoxLayout;
    for (TimerSection section : kTimerSections)
        panels->addWidget(SectionBox(section));
    layout->addLayout(panels);
    layout->addLayout(Lists(), 1);
    // The worker calls from its own thread: the window looks again on its own.
    logic_.SetPendingListener([this] {
        QMetaObject::invokeMethod(
            this, [this] { Refresh(); }, Qt::QueuedConnection);
    });
    Refresh();
}

CCTimeOn::~CCTimeOn() {
    logic_.SetPendingListener(nullptr);
}

void CCTimeOn::reject() {
    if (logic_.OnExit())
        StyledDialog::reject();
}

QString CCTimeOn::CaptionOf(Caption caption) const {
    return Text(logic_.CaptionText(caption));
}

CCTimeOn::SectionControls& CCTimeOn::Controls(TimerSection section) {
    return sections_[At(section)];
}

QGroupBox* CCTimeOn::SectionBox(TimerSection section) {
    auto* box = new QGroupBox(Text(logic_.PanelCaption(section)));
    auto* column = new QVBoxLayout(box);
    column->addLayout(ValueRow(section));
    if (section == TimerSection::Brightness)
        column->addLayout(BrightnessRow());
    column->addLayout(DayRow(section));
    column->addLayout(MomentRow(section));
    column->addLayout(BoardRow(section));
    column->addLayout(ButtonRow(section));
    column->addStretch();
    return box;
}

QLayout* CCTimeOn::ValueRow(TimerSection section) {
    SectionControls& controls = Controls(section);
    std::vector<QString> kinds;
    for (std::string_view kind : logic_.KindChoices())
        kinds.push_back(Text(kind));
    controls.kind = Choices(kinds, [this, section](int index) {
        logic_.OnKind(section, static_cast<TimerKind>(index + 1));
    });
    QHBoxLayout* row = WidgetRow({controls.kind});
    if (section == TimerSection::Brightness)
        return row;
    controls.value = Choices(Texts(TimerEditorLogic::ValueChoices(section)),
                             [this, section](int index) { logic_.OnChoice(section, index); });
    row->insertWidget(1, controls.value);
    if (section == TimerSection::OutputMode) {
        inputCardAlsoResponds_ = new QCheckBox(CaptionOf(Caption::InputCardAlsoResponds));
        connect(inputCardAlsoResponds_, &QCheckBox::clicked, this,
                [this](bool on) { Run([&] { logic_.OnInputCardAlsoResponds(on); }); });
        row->insertWidget(2, inputCardAlsoResponds_);
    }
    return row;
}

QLayout* CCTimeOn::BrightnessRow() {
    using Box = TimerEditorLogic::BrightnessBox;
    const auto edit = [this](Box box) {
        auto* line = new QLineEdit;
        line->setFixedWidth(kBrightnessWidth);
        connect(line, &QLineEdit::textEdited, this, [this, box](const QString& text) {
            Run([&] { logic_.OnBrightnessText(box, text.toStdString()); });
        });
        return line;
    };
    inputBrightness_ = edit(Box::Input);
    outputBrightness_ = edit(Box::Output);
    return WidgetRow({new QLabel(CaptionOf(Caption::InputBrightness)), inputBrightness_,
                new QLabel(CaptionOf(Caption::OutputBrightness)), outputBrightness_});
}

QLayout* CCTimeOn::DayRow(TimerSection section) {
    SectionControls& controls = Controls(section);
    controls.weekday = Choices(Texts(TimerEditorLogic::WeekdayChoices()),
                               [this, section](int index) { logic_.OnWeekday(section, index); });
    controls.monthDay = Choices(Texts(TimerEditorLogic::MonthDayChoices()),
                                [this, section](int index) { logic_.OnMonthDay(section, index); });
    return WidgetRow({controls.weekday, controls.monthDay});
}

QLayout* CCTimeOn::MomentRow(TimerSection section) {
    SectionControls& controls = Controls(section);
    controls.date = new QDateEdit;
    controls.date->setDisplayFormat("yyyy-MM-dd");
    controls.date->setDateRange(kFirstDate, kLastDate);
    controls.date->setCalendarPopup(true);
    connect(controls.date, &QDateEdit::dateChanged, this, [this, section](const QDate& date) {
        Run([&] { logic_.OnDate(section, {date.year(), date.month(), date.day()}); });
    });
    controls.time = new QTimeEdit;
    controls.time->setDisplayFormat("HH:mm:ss");
    connect(controls.time, &QTimeEdit::timeChanged, this, [this, section](const QTime& time) {
        Run([&] { logic_.OnTime(section, {time.hour(), time.minute(), time.second()}); });
    });
    return WidgetRow({controls.date, controls.time});
}

QLayout* CCTimeOn::BoardRow(TimerSection section) {
    auto* row = new QHBoxLayout;
    for (std::uint8_t board : TimerEditorLogic::PanelBoards(section)) {
        auto* box = new QCheckBox(Text(BoardName(board)));
        connect(box, &QCheckBox::clicked, this, [this, section, board](bool checked) {
            Run([&] { logic_.OnBoard(section, board, checked); });
        });
        Controls(section).boards[board - 1] = box;
        row->addWidget(box);
    }
    row->addStretch();
    return row;
}

QLayout* CCTimeOn::ButtonRow(TimerSection section) {
    SectionControls& controls = Controls(section);
    controls.start = Button(Caption::Start, [this, section] { logic_.OnStart(section); });
    controls.close = Button(Caption::Close, [this, section] { logic_.OnClose(section); });
    return WidgetRow(
        {Button(Caption::Save, [this, section] { logic_.OnSave(section); }),
         Button(Caption::Delete,
                [this, section] { logic_.OnDelete(section, SelectedRow(Controls(section).list)); }),
         controls.start, controls.close});
}

// Two by two below the panels: side by side with its panel, a list of five columns would make
// the window too wide for the screen.
QLayout* CCTimeOn::Lists() {
    auto* grid = new QGridLayout;
    for (std::size_t at = 0; at < kTimerSections.size(); ++at) {
        const TimerSection section = kTimerSections[at];
        const int row = static_cast<int>(at / 2);
        const int column = static_cast<int>(at % 2);
        grid->addWidget(ListBox(Text(logic_.PanelCaption(section)), TimerList(section)), row,
                        column);
    }
    pending_ = ReportList(logic_.PendingColumns(), kListRows);
    grid->addWidget(ListBox(CaptionOf(Caption::PendingList), pending_), 1, 1);
    return grid;
}

QGroupBox* CCTimeOn::ListBox(const QString& title, QTreeWidget* list) {
    auto* box = new QGroupBox(title);
    auto* column = new QVBoxLayout(box);
    column->addWidget(list);
    return box;
}

QTreeWidget* CCTimeOn::TimerList(TimerSection section) {
    QTreeWidget* list = ReportList(logic_.TimerColumns(section), kListRows);
    connect(list, &QTreeWidget::itemDoubleClicked, this,
            [this, section, list](QTreeWidgetItem* item) {
                const int row = list->indexOfTopLevelItem(item);
                Run([&] { logic_.OnRowDoubleClicked(section, row); });
            });
    Controls(section).list = list;
    return list;
}

QComboBox* CCTimeOn::Choices(const std::vector<QString>& items,
                             const std::function<void(int)>& handler) {
    auto* combo = new QComboBox;
    for (const QString& item : items)
        combo->addItem(item);
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, handler](int index) { Run([&] { handler(index); }); });
    return combo;
}

// Enter in a brightness box presses no button: which of the Saves it pressed would not show.
QPushButton* CCTimeOn::Button(Caption caption, const std::function<void()>& handler) {
    auto* button = new QPushButton(CaptionOf(caption));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, handler] { Run(handler); });
    return button;
}

void CCTimeOn::Run(const std::function<void()>& handler) {
    handler();
    Refresh();
}

void CCTimeOn::Refresh() {
    for (TimerSection section : kTimerSections) {
        ShowPanel(section);
        SectionControls& controls = Controls(section);
        ShowRows(controls.list, logic_.TimerRows(section), controls.shownRows);
    }
    ShowRows(pending_, logic_.PendingRows(), shownPending_);
    const QSignalBlocker quiet(inputCardAlsoResponds_);
    inputCardAlsoResponds_->setChecked(logic_.InputCardAlsoResponds());
}

void CCTimeOn::ShowPanel(TimerSection section) {
    const TimerPanelView view = logic_.PanelView(section);
    const TimerPanel& panel = view.values;
    SectionControls& controls = Controls(section);
    SetCurrent(controls.kind, static_cast<int>(panel.kind) - 1);
    if (controls.value != nullptr)
        SetCurrent(controls.value, panel.choice);
    SetCurrent(controls.weekday, panel.weekdayIndex);
    SetCurrent(controls.monthDay, panel.monthDayIndex);
    controls.weekday->setEnabled(view.weekdayEnabled);
    controls.monthDay->setEnabled(view.monthDayEnabled);
    controls.date->setEnabled(view.dateEnabled);
    SetDate(controls.date, QDate(panel.date.year, panel.date.month, panel.date.day));
    SetTime(controls.time, QTime(panel.time.hour, panel.time.minute, panel.time.second));
    for (std::size_t board = 0; board < controls.boards.size(); ++board) {
        if (controls.boards[board] == nullptr)
            continue;
        const QSignalBlocker quiet(controls.boards[board]);
        controls.boards[board]->setChecked(panel.boards[board]);
    }
    controls.start->setEnabled(view.startEnabled);
    controls.close->setEnabled(view.closeEnabled);
    if (section != TimerSection::Brightness)
        return;
    ShowText(inputBrightness_, Text(panel.inputBrightness));
    ShowText(outputBrightness_, Text(panel.outputBrightness));
}

}  // namespace hsq
