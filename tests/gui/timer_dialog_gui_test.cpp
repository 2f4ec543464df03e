// The timer window on the offscreen platform: its lists show the logic's rows, painted.
#include "scheduler/timer_dialog.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QScreen>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

#include "scheduler/timer_file.h"
#include "scheduler/timer_rig.h"
#include "support/scripted_host.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

using testing::DayTimer;

constexpr LocalTime kWednesdayTen{2026, 1, 7, 10, 0, 0};

class TimerDialogGui : public ::testing::Test {
  protected:
    void Open() {
        logic.emplace(store, rig.commands, host, kEnglish, inputCardAlsoResponds);
        dialog = std::make_unique<CCTimeOn>(*logic);
        dialog->show();
        QCoreApplication::processEvents();
    }

    // A panel and its list share their section's title; the box around a widget tells which.
    static QString BoxTitle(const QWidget* widget) {
        const auto* box = qobject_cast<const QGroupBox*>(widget->parentWidget());
        return box == nullptr ? QString() : box->title();
    }
    template <typename Widget>
    Widget& In(const QString& box, const QString& text = {}) {
        for (Widget* widget : dialog->findChildren<Widget*>()) {
            if (BoxTitle(widget) != box)
                continue;
            if constexpr (std::is_same_v<Widget, QPushButton>) {
                if (widget->text() != text)
                    continue;
            }
            return *widget;
        }
        throw std::runtime_error("nothing in " + box.toStdString());
    }
    static std::vector<TimerListRow> Shown(const QTreeWidget& list) {
        std::vector<TimerListRow> rows(static_cast<std::size_t>(list.topLevelItemCount()));
        for (std::size_t row = 0; row < rows.size(); ++row) {
            for (std::size_t column = 0; column < rows[row].size(); ++column)
                rows[row][column] = list.topLevelItem(static_cast<int>(row))
                                        ->text(static_cast<int>(column))
                                        .toStdString();
        }
        return rows;
    }
    // What the screen holds of the list, against the list drawn afresh.
    static bool PaintedAsItIs(QTreeWidget& list) {
        QWidget* viewport = list.viewport();
        const QPoint at = viewport->mapTo(viewport->window(), QPoint(0, 0));
        const QImage onScreen = viewport->screen()
                                    ->grabWindow(viewport->window()->winId(), at.x(), at.y(),
                                                 viewport->width(), viewport->height())
                                    .toImage()
                                    .convertToFormat(QImage::Format_RGB32);
        const QImage fresh = viewport->grab().toImage().convertToFormat(QImage::Format_RGB32);
        return onScreen == fresh;
    }

    testing::TimerRig rig{kWednesdayTen};
    testing::TempFolder folder;
    ProfileStore store{folder.path()};
    testing::ScriptedHost host;
    bool inputCardAlsoResponds = true;
    std::optional<TimerEditorLogic> logic;
    std::unique_ptr<CCTimeOn> dialog;
};

// The lists show the logic's rows after a double click, an edit and Save, and show them painted:
// under openbox the edited timer's row stayed painted as the row before it until it was clicked.
TEST_F(TimerDialogGui, ADoubleClickedTimerChangedAndSavedIsListedAsStored) {
    EXPECT_TRUE(
        SaveTimerSection(store, TimerSection::InputSignal,
                         std::vector{DayTimer(TimerSection::InputSignal, "11:00:00", 0, {1}),
                                     DayTimer(TimerSection::InputSignal, "12:00:00", 2, {2, 4}),
                                     DayTimer(TimerSection::InputSignal, "13:00:00", 1, {3})}));
    Open();
    QTreeWidget& list = In<QTreeWidget>("Input signal");
    emit list.itemDoubleClicked(list.topLevelItem(1), 0);
    In<QTimeEdit>("Input signal").setTime(QTime(14, 0, 0));
    In<QPushButton>("Input signal", "Save").click();
    QCoreApplication::processEvents();

    const std::vector<TimerListRow> stored{{"1", "Day", "A", "SDI", "11:00:00"},
                                           {"2", "Day", "C", "DVI", "13:00:00"},
                                           {"3", "Day", "B,D", "VGA", "14:00:00"}};
    EXPECT_EQ(logic->TimerRows(TimerSection::InputSignal), stored);
    EXPECT_EQ(Shown(list), stored);
    EXPECT_TRUE(PaintedAsItIs(list));
}

}  // namespace
}  // namespace hsq
