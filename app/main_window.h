#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <map>

#include "app/card_area_widget.h"
#include "app/main_window_logic.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The main window: seven command buttons in a column, the two card areas, the status line and
// the clock. A menu holds the commands the button column has no room for.
class CHSQ2600ObjDlg : public StyledDialog {
    Q_OBJECT

  public:
    CHSQ2600ObjDlg(MainWindowLogic& logic, QWidget* parent = nullptr);

    // Texts, pictures and the clock as the logic says now.
    void Refresh();
    // Closes without asking (after the operator declined a small screen).
    void CloseNow();
    // Shows a status line at once, also while a worker runs; callable from any thread.
    void ShowStatusLine(const std::string& line);

  protected:
    void reject() override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using Caption = MainWindowLogic::Caption;
    QPushButton* AddButton(Caption caption, void (MainWindowLogic::*handler)());
    void Run(void (MainWindowLogic::*handler)());
    void BuildMenu();
    void ShowClock();
    void PressOutsideTheAreas();

    MainWindowLogic& logic_;
    std::map<Caption, QAbstractButton*> buttons_;  // in column order: the order of Caption
    std::map<Caption, QAction*> actions_;
    QMenuBar* menu_;
    QMenu* commands_;
    QGroupBox* inputBox_;
    QGroupBox* outputBox_;
    CardAreaWidget* inputArea_;
    CardAreaWidget* outputArea_;
    QLabel* status_;
    QLabel* clock_;
    QTimer clockTimer_;
    bool closing_ = false;
};

}  // namespace hsq
