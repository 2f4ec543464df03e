#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QTreeWidget>
#include <array>
#include <functional>
#include <vector>

#include "scheduler/timer_editor_logic.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The timer window: the three section panels side by side, their lists of timers and the
// pending list below. Each control goes to one handler of TimerEditorLogic; afterwards the window
// shows what it says.
class CCTimeOn final : public StyledDialog {
  public:
    explicit CCTimeOn(TimerEditorLogic& logic, QWidget* parent = nullptr);
    // Silences the worker's listener before any widget it would refresh goes.
    ~CCTimeOn() override;

    // The close box and Escape: closes only when the logic lets the timers go.
    void reject() override;

  private:
    using Caption = TimerEditorLogic::Caption;

    // One section's controls; the value combo is null in the brightness panel and a board's box
    // null where the panel does not offer it.
    struct SectionControls {
        QComboBox* kind = nullptr;
        QComboBox* value = nullptr;
        QComboBox* weekday = nullptr;
        QComboBox* monthDay = nullptr;
        QDateEdit* date = nullptr;
        QTimeEdit* time = nullptr;
        std::array<QCheckBox*, kTimerBoardCount> boards{};
        QPushButton* start = nullptr;
        QPushButton* close = nullptr;
        QTreeWidget* list = nullptr;
        std::vector<TimerListRow> shownRows;
    };

    QString CaptionOf(Caption caption) const;
    SectionControls& Controls(TimerSection section);
    QGroupBox* SectionBox(TimerSection section);
    QLayout* ValueRow(TimerSection section);
    QLayout* BrightnessRow();
    QLayout* DayRow(TimerSection section);
    QLayout* MomentRow(TimerSection section);
    QLayout* BoardRow(TimerSection section);
    QLayout* ButtonRow(TimerSection section);
    QLayout* Lists();
    QGroupBox* ListBox(const QString& title, QTreeWidget* list);
    QTreeWidget* TimerList(TimerSection section);
    QComboBox* Choices(const std::vector<QString>& items, const std::function<void(int)>& handler);
    QPushButton* Button(Caption caption, const std::function<void()>& handler);

    void Run(const std::function<void()>& handler);
    void Refresh();
    void ShowPanel(TimerSection section);

    TimerEditorLogic& logic_;
    std::array<SectionControls, kTimerSections.size()> sections_;
    QLineEdit* inputBrightness_ = nullptr;
    QLineEdit* outputBrightness_ = nullptr;
    QCheckBox* inputCardAlsoResponds_ = nullptr;
    QTreeWidget* pending_ = nullptr;
    std::vector<PendingRow> shownPending_;
};

}  // namespace hsq
