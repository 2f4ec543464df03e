#pragma once

#include <QComboBox>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include "app/traffic_monitor_logic.h"
#include "ui/styled_dialog.h"

namespace hsq {

class TrafficTableModel;

// The traffic monitor's window. The one window that is not modal: it stays open beside the
// main window and refreshes from the link's record on a timer while it shows.
class CTrafficMonitor : public StyledDialog {
  public:
    CTrafficMonitor(TrafficMonitorLogic& logic, QWidget* parent = nullptr);

    // Takes what is new from the record and shows it, at once.
    void Refresh();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void ShowTexts();

    TrafficMonitorLogic& logic_;
    TrafficTableModel* model_;
    QTableView* table_;
    QPushButton* pause_;
    QPushButton* clear_;
    QComboBox* filter_;
    QPushButton* save_;
    QTimer timer_;
    LanguageFlag shownLanguage_ = -1;
};

}  // namespace hsq
