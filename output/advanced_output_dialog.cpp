#include "output/advanced_output_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace hsq {

CCOutAdvanced::CCOutAdvanced(AdvancedOutputLogic& logic, QWidget* parent)
    : StyledDialog(parent), logic_(logic), modes_(this) {
    setWindowTitle(Text(logic.Title()));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(SynchronizationGroup());
    layout->addWidget(ResetGroup());
    layout->addWidget(ApplicationModeGroup());
    ShowCheckedMode();
}

QString CCOutAdvanced::CaptionOf(Caption caption) const {
    return Text(logic_.CaptionText(caption));
}

// Enter presses no button: each would send something at once.
QPushButton* CCOutAdvanced::Button(Caption caption, const std::function<void()>& handler) {
    auto* button = new QPushButton(CaptionOf(caption));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, handler);
    return button;
}

QWidget* CCOutAdvanced::SynchronizationGroup() {
    auto* group = new QGroupBox(CaptionOf(Caption::Synchronization));
    auto* row = new QHBoxLayout(group);
    row->addWidget(Button(Caption::Open, [this] { logic_.OnSynchronization(true); }));
    row->addWidget(Button(Caption::Close, [this] { logic_.OnSynchronization(false); }));
    return group;
}

QWidget* CCOutAdvanced::ResetGroup() {
    auto* group = new QGroupBox(CaptionOf(Caption::ResetHdmi));
    auto* row = new QHBoxLayout(group);
    row->addWidget(Button(Caption::Reset, [this] { logic_.OnResetHdmi(); }));
    return group;
}

QWidget* CCOutAdvanced::ApplicationModeGroup() {
    auto* group = new QGroupBox(CaptionOf(Caption::ApplicationMode));
    auto* column = new QVBoxLayout(group);
    for (std::uint8_t mode : AdvancedOutputLogic::kApplicationModes) {
        auto* button = new QRadioButton(Text(logic_.ModeCaption(mode)));
        modes_.addButton(button, mode);
        column->addWidget(button);
    }
    connect(&modes_, &QButtonGroup::idClicked, this, [this](int mode) {
        logic_.OnApplicationMode(mode);
        ShowCheckedMode();
    });
    return group;
}

// An exclusive group cannot be left with no button checked.
void CCOutAdvanced::ShowCheckedMode() {
    const auto checked = logic_.CheckedMode();
    modes_.setExclusive(false);
    for (QAbstractButton* button : modes_.buttons())
        button->setChecked(checked && modes_.id(button) == *checked);
    modes_.setExclusive(true);
}

}  // namespace hsq
