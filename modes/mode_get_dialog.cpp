#include "modes/mode_get_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace hsq {
namespace {

constexpr int kColumns = 4;

}  // namespace

CModeGet::CModeGet(ModeGetLogic& logic, QWidget* parent)
    : StyledDialog(parent), logic_(logic), modes_(this) {
    setWindowTitle(Text(logic.CaptionText(ModeGetLogic::Caption::Title)));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(ModeButtons());
    layout->addWidget(CommandButtons());
}

QWidget* CModeGet::ModeButtons() {
    auto* panel = new QWidget;
    auto* grid = new QGridLayout(panel);
    for (int button = 1; button <= ModeGetLogic::kModeButtons; ++button) {
        auto* radio = new QRadioButton(Text(logic_.ModeCaption(button)));
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
        connect(button, &QPushButton::clicked, this, [this, handler] { (logic_.*handler)(); });
        layout->addWidget(button);
    };
    add(Caption::Load, &ModeGetLogic::OnLoad);
    add(Caption::Export, &ModeGetLogic::OnExport);
    add(Caption::Import, &ModeGetLogic::OnImport);
    return row;
}

}  // namespace hsq
