#pragma once

#include <QButtonGroup>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <array>
#include <functional>

#include "input/picture_adjustment_logic.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The picture adjustment window: a slider and an edit box per value, the threshold direction,
// and Set and Reset per group. Each control goes to one handler of PictureAdjustmentLogic;
// afterwards the window shows what it says.
class COtherSet final : public StyledDialog {
  public:
    explicit COtherSet(PictureAdjustmentLogic& logic, QWidget* parent = nullptr);

  private:
    using Value = PictureAdjustmentLogic::Value;
    using Group = PictureAdjustmentLogic::Group;
    using Caption = PictureAdjustmentLogic::Caption;

    QString CaptionOf(Caption caption) const;
    QWidget* KeyingGroup();
    QWidget* PictureGroup();
    void AddValueRow(QGridLayout* grid, int row, Value value, Caption caption);
    QWidget* DirectionRow();
    QWidget* SetAndReset(Group group);
    QPushButton* Button(Caption caption, const std::function<void()>& handler);
    void Run(const std::function<void()>& handler);
    void Refresh();

    PictureAdjustmentLogic& logic_;
    std::array<QSlider*, kPictureValueCount> sliders_{};
    std::array<QLineEdit*, kPictureValueCount> edits_{};
    QButtonGroup directions_;
};

}  // namespace hsq
