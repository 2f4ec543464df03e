#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <functional>
#include <vector>

#include "output/mosaic_logic.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The fast mosaic window: the wall grid, the target channel and the crop and output fields.
// Each control goes to one handler of MosaicLogic; afterwards the window shows what it says.
class CMosaicSet : public StyledDialog {
  public:
    explicit CMosaicSet(MosaicLogic& logic, QWidget* parent = nullptr);

  private:
    using Group = MosaicLogic::Group;
    using Field = MosaicLogic::Field;
    using Caption = MosaicLogic::Caption;
    struct GridCell {
        QPushButton* button;
        QLineEdit* width;
        QLineEdit* height;
    };

    QString CaptionOf(Caption caption) const;
    QPushButton* Button(const QString& text, const std::function<void()>& handler);
    QGroupBox* LayoutGroup();
    QGroupBox* ChannelGroup(int card);
    QGroupBox* FieldGroup(Group group, Caption title);
    QWidget* SpinArrows(Group group, Field field);
    QLineEdit* EditField(const std::function<void(const std::string&)>& handler);
    void BuildGrid(const MosaicView& view);
    QWidget* GridCellWidget(int window);

    // Runs a handler, then shows everything anew.
    void Run(const std::function<void()>& handler);
    void Refresh();
    void TakeUnfinishedGrid();
    void ShowLayout(const MosaicView& view);
    void ShowGrid(const MosaicView& view);
    void ShowChannels(const MosaicView& view);
    void ShowFields(const MosaicView& view);

    MosaicLogic& logic_;
    QButtonGroup* layouts_;
    QLineEdit* rows_;
    QLineEdit* columns_;
    QGroupBox* gridFrame_;
    QWidget* grid_ = nullptr;
    std::vector<GridCell> cells_;
    int gridColumns_ = 0;
    std::array<std::array<QRadioButton*, 4>, 2> channels_{};      // [K, L][Out1..Out4]
    std::array<std::array<QLineEdit*, 4>, 2> fields_{};           // [input, output][W, H, X, Y]
};

}  // namespace hsq
