#include "input/picture_adjustment_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <utility>

#include "ui/finished_field.h"
#include "ui/qt_text.h"

namespace hsq {
namespace {

constexpr int kSliderWidth = 160;
constexpr int kEditWidth = 48;
constexpr int kAbove = 1;
constexpr int kBelow = 0;
// The direction options by their ids, in the window's order.
constexpr std::array<std::pair<int, PictureAdjustmentLogic::Caption>, 2> kDirections{{
    {kAbove, PictureAdjustmentLogic::Caption::Above},
    {kBelow, PictureAdjustmentLogic::Caption::Below},
}};

template <typename Index>
std::size_t At(Index index) {
    return static_cast<std::size_t>(index);
}

}  // namespace

COtherSet::COtherSet(PictureAdjustmentLogic& logic, QWidget* parent)
    : StyledDialog(parent), logic_(logic), directions_(this) {
    setWindowTitle(CaptionOf(Caption::Title));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(KeyingGroup());
    layout->addWidget(PictureGroup());
    Refresh();
}

QString COtherSet::CaptionOf(Caption caption) const {
    return Text(logic_.CaptionText(caption));
}

QWidget* COtherSet::KeyingGroup() {
    auto* group = new QGroupBox(CaptionOf(Caption::Text));
    auto* column = new QVBoxLayout(group);
    column->addWidget(new QLabel(CaptionOf(Caption::Threshold)));
    auto* grid = new QGridLayout;
    AddValueRow(grid, 0, Value::Red, Caption::Red);
    AddValueRow(grid, 1, Value::Green, Caption::Green);
    AddValueRow(grid, 2, Value::Blue, Caption::Blue);
    column->addLayout(grid);
    column->addWidget(DirectionRow());
    column->addWidget(SetAndReset(Group::Keying));
    return group;
}

QWidget* COtherSet::PictureGroup() {
    auto* group = new QGroupBox;
    auto* grid = new QGridLayout(group);
    AddValueRow(grid, 0, Value::Brightness, Caption::Brightness);
    grid->addWidget(SetAndReset(Group::Brightness), 0, 3);
    AddValueRow(grid, 1, Value::Colour, Caption::Colour);
    grid->addWidget(SetAndReset(Group::Colour), 1, 3);
    AddValueRow(grid, 2, Value::Contrast, Caption::Contrast);
    grid->addWidget(SetAndReset(Group::Contrast), 2, 3);
    return group;
}

void COtherSet::AddValueRow(QGridLayout* grid, int row, Value value, Caption caption) {
    auto* slider = new QSlider(Qt::Horizontal);
    slider->setRange(0, PictureAdjustmentLogic::SliderMaximum(value));
    slider->setFixedWidth(kSliderWidth);
    connect(slider, &QSlider::valueChanged, this,
            [this, value](int position) { Run([&] { logic_.OnSlider(value, position); }); });
    auto* edit = new QLineEdit;
    edit->setFixedWidth(kEditWidth);
    TakeWhenFinished(edit, this, [this, value](const std::string& text) {
        Run([&] { logic_.OnText(value, text); });
    });
    sliders_[At(value)] = slider;
    edits_[At(value)] = edit;
    grid->addWidget(new QLabel(CaptionOf(caption)), row, 0);
    grid->addWidget(slider, row, 1);
    grid->addWidget(edit, row, 2);
}

QWidget* COtherSet::DirectionRow() {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const auto& [id, caption] : kDirections) {
        auto* option = new QRadioButton(CaptionOf(caption));
        directions_.addButton(option, id);
        layout->addWidget(option);
    }
    connect(&directions_, &QButtonGroup::idClicked, this,
            [this](int id) { Run([&] { logic_.OnDirection(id == kAbove); }); });
    return row;
}

QWidget* COtherSet::SetAndReset(Group group) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Button(Caption::Set, [this, group] {
        TakeUnfinished({edits_[0], edits_[1], edits_[2], edits_[3], edits_[4], edits_[5]});
        logic_.OnSet(group);
    }));
    layout->addWidget(Button(Caption::Reset, [this, group] { logic_.OnReset(group); }));
    return row;
}

// Enter in an edit box presses no button: each would send at once.
QPushButton* COtherSet::Button(Caption caption, const std::function<void()>& handler) {
    auto* button = new QPushButton(CaptionOf(caption));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, handler] { Run(handler); });
    return button;
}

void COtherSet::Run(const std::function<void()>& handler) {
    handler();
    Refresh();
}

// An edit box already showing its text is left alone, so that its cursor stays where it is.
void COtherSet::Refresh() {
    const PictureAdjustmentView view = logic_.View();
    for (std::size_t value = 0; value < sliders_.size(); ++value) {
        const QSignalBlocker quietSlider(sliders_[value]);
        const QSignalBlocker quietEdit(edits_[value]);
        sliders_[value]->setValue(view.positions[value]);
        const QString text = Text(view.texts[value]);
        if (edits_[value]->text() != text) edits_[value]->setText(text);
    }
    const QSignalBlocker quietDirections(directions_);
    directions_.button(view.direction == kAbove ? kAbove : kBelow)->setChecked(true);
}

}  // namespace hsq
