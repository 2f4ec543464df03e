#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <functional>

#include "input/input_card_logic.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The input card window: the signal and overlay buttons above, the canvas and the rectangle
// editor in a lower panel that folds away. Each control goes to one handler of InputCardLogic;
// afterwards the window shows what it says.
class COneShow : public StyledDialog {
  public:
    COneShow(InputCardLogic& logic, QWidget* parent = nullptr);

  private:
    using Caption = InputCardLogic::Caption;
    using Row = InputCardLogic::Row;
    using Fields = std::array<QLineEdit*, 4>;  // W, H, X, Y

    QString CaptionOf(Caption caption) const;
    QPushButton* Button(const QString& text, const std::function<void()>& handler);
    QLayout* SignalRow();
    QLayout* SwitchRow();
    QWidget* LowerPanel();
    QLayout* CanvasWithCorners();
    QLayout* RectangleEditor();

    // Runs a handler, then shows everything anew.
    void Run(const std::function<void()>& handler);
    void Refresh();

    InputCardLogic& logic_;
    std::array<QPushButton*, InputCardLogic::kSignalButtons> signalButtons_{};
    QPushButton* pip_;
    QPushButton* text_;
    QPushButton* vgaAuto_;
    QPushButton* settings_;
    QPushButton* panelToggle_;
    QWidget* lowerPanel_;
    std::array<QLabel*, 3> corners_{};  // top left, bottom left, bottom right
    std::array<Fields, 2> fields_{};    // main, PIP
};

}  // namespace hsq
