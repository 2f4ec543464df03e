#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <functional>

#include "canvas/layout_canvas_widget.h"
#include "output/output_board_logic.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The output board window: both canvases, their fields and every control of the card. Each
// control goes to one handler of OutputBoardLogic; afterwards the window shows what it says.
class CCOverlay : public StyledDialog {
  public:
    CCOverlay(OutputBoardLogic& logic, QWidget* parent = nullptr);

    // Pops the mode copy menu up over the output frame without waiting for a choice (for tours).
    QMenu& PopUpModeCopyMenu();

  protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    using Canvas = OutputBoardLogic::Canvas;
    using Caption = OutputBoardLogic::Caption;
    using Fields = std::array<QLineEdit*, 4>;  // W, H, X, Y

    QString CaptionOf(Caption caption) const;
    QLabel* Label(Caption caption) const;
    QPushButton* Button(const QString& text, const std::function<void()>& handler);
    QPushButton* PressableButton(const QString& text, const std::function<void()>& handler);
    QLayout* ControlRows();
    QLayout* ModeRow();
    QLayout* ImageRow();
    QLayout* MatrixRow();
    QLayout* MuteRow();
    QLayout* OverlayRow();
    QLayout* BorderRow();
    QLayout* BrightnessRow();
    QLayout* ClockRow();
    QGroupBox* ImageFrame(Canvas canvas, Caption title, void (OutputBoardLogic::*save)());
    LayoutCanvasWidget* CanvasView(Canvas canvas);
    QLayout* FieldRow(Canvas canvas, void (OutputBoardLogic::*save)());
    void BuildMenus();
    void CaptionModeCopyMenu();

    // Runs a handler, then shows everything anew.
    void Run(const std::function<void()>& handler);
    void Refresh();
    void ShowButtons(const OutputBoardView& view);
    void ShowBorder(const OutputBoardView& view);
    void ShowModes(const CardModeLayouts& modes);

    OutputBoardLogic& logic_;
    QComboBox* modes_;
    CardModeLayouts shownModes_;  // what the list's texts and pictures show
    std::array<QPushButton*, 4> images_{};
    QPushButton* imageAll_;
    std::array<QPushButton*, 4> matrix_{};
    QCheckBox* channelOn_;
    QPushButton* overlay_;
    QComboBox* fade_;
    QLabel* order_;
    QCheckBox* borderSwitch_;
    std::array<QLineEdit*, 4> border_{};  // R, G, B, size
    QPushButton* borderSet_;
    QLineEdit* brightness_;
    std::array<QRadioButton*, 2> clock_{};  // In-A, K.Out1
    QGroupBox* inputFrame_;
    QGroupBox* outputFrame_;
    std::array<LayoutCanvasWidget*, 2> canvases_{};  // input, output
    std::array<Fields, 2> fields_{};
    std::array<QPushButton*, 2> saves_{};
    QMenu modeCopyMenu_;
    QMenu mosaicMenu_;
    QAction* mosaic_ = nullptr;
    QPushButton* advanced_ = nullptr;
};

}  // namespace hsq
