#include "modes/mode_get_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "output/mode_preview.h"
#include "ui/qt_painter.h"
#include "ui/qt_text.h"

namespace hsq {
namespace {

constexpr int kColumns = 4;
constexpr QSize kPreviewSize{96, 60};

}  // namespace

CModeGet::CModeGet(ModeGetLogic& logic, QWidget* parent)
    : StyledDialog(parent), logic_(logic), modes_(this) {
    setWindowTitle(Text(logic.CaptionText(ModeGetLogic::Caption::Title)));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    card_ = new QLabel;
    layout->addWidget(card_);
    layout->addWidget(ModeButtons());
    layout->addWidget(CommandButtons());
    ShowPreviews();
}

QWidget* CModeGet::ModeButtons() {
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    for (int button = 1; button <= ModeGetLogic::kModeButtons; ++button) {
        auto* radio = new QRadioButton(Text(logic_.ModeCaption(button)));
        radio->setIconSize(kPreviewSize);
        modes_.addButton(radio, button);
        grid->addWidget(radio, (button - 1) / kColumns, (button - 1) % kColumns);
    }
    connect(&modes_, &QButtonGroup::idClicked, this, [this](int button) { logic_.OnMode(button); });
    return panel;
}

// Enter presses no button: each talks to the processor or asks for a file.
QWidget* CModeGet::CommandButtons() {
    using Caption = ModeGetLogic::Caption;
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    const auto add = [&](Caption caption, void (ModeGetLogic::*handler)()) {
        auto* button = new QPushButton(Text(logic_.CaptionText(caption)));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, handler] {
            (logic_.*handler)();
            ShowPreviews();
        });
        layout->addWidget(button);
    };
    add(Caption::Load, &ModeGetLogic::OnLoad);
    add(Caption::Export, &ModeGetLogic::OnExport);
    add(Caption::Import, &ModeGetLogic::OnImport);
    return row;
}

// Each button shows its mode's layout, and its name when the pointer rests on it.
void CModeGet::ShowPreviews() {
    card_->setText(Text(logic_.PreviewCardText()));
    const CardModeLayouts& previews = logic_.Previews();
    const Rect area{0, 0, kPreviewSize.width(), kPreviewSize.height()};
    for (int mode = 0; mode < kDisplayModeCount; ++mode) {
        QAbstractButton* button = modes_.button(mode + 1);
        button->setIcon(PaintedPixmap(kPreviewSize, [&](Painter& painter) {
            DrawModePreview(painter, area, previews, mode);
        }));
        button->setToolTip(Text(previews.modes[mode].caption));
    }
}

}  // namespace hsq
