#include "output/mosaic_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/finished_field.h"
#include "ui/qt_text.h"

namespace hsq {
namespace {

constexpr int kFieldWidth = 56;
constexpr int kLayoutsPerRow = 4;
constexpr std::array<MosaicLogic::Caption, 4> kFieldCaptions{
    MosaicLogic::Caption::FieldW, MosaicLogic::Caption::FieldH, MosaicLogic::Caption::FieldX,
    MosaicLogic::Caption::FieldY};
constexpr const char* kSelectedLook =
    "QPushButton { background: rgb(0, 255, 0); color: white; font-weight: bold; }";
constexpr const char* kUnselectedLook =
    "QPushButton { background: rgb(169, 169, 169); color: white; font-weight: bold; }";

// What the operator is still typing stays until it is finished; an unchanged text is not set
// again, which would move the cursor.
void SetText(QLineEdit* field, const std::string& text) {
    const QString shown = Text(text);
    if (!field->isModified() && field->text() != shown) field->setText(shown);
}

}  // namespace

CMosaicSet::CMosaicSet(MosaicLogic& logic, QWidget* parent) : StyledDialog(parent), logic_(logic) {
    setWindowTitle(CaptionOf(Caption::Title));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* top = new QHBoxLayout;
    top->addWidget(LayoutGroup());
    top->addWidget(ChannelGroup(0));
    top->addWidget(ChannelGroup(1));
    layout->addLayout(top);
    gridFrame_ = new QGroupBox(CaptionOf(Caption::GridFrame));
    new QVBoxLayout(gridFrame_);
    layout->addWidget(gridFrame_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Button(CaptionOf(Caption::AutoCalculation), [this] {
        TakeUnfinishedGrid();
        logic_.OnAutoCalculation();
    }));
    bottom->addWidget(FieldGroup(Group::Input, Caption::InputGroup));
    bottom->addWidget(FieldGroup(Group::Output, Caption::OutputGroup));
    layout->addLayout(bottom);
    Refresh();
}

QString CMosaicSet::CaptionOf(Caption caption) const {
    return Text(logic_.CaptionText(caption));
}

// Enter in a field presses no button: each would send or rebuild what the operator did not ask.
QPushButton* CMosaicSet::Button(const QString& text, const std::function<void()>& handler) {
    auto* button = new QPushButton(text);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, handler] { Run(handler); });
    return button;
}

QLineEdit* CMosaicSet::EditField(const std::function<void(const std::string&)>& handler) {
    auto* field = new QLineEdit;
    field->setFixedWidth(kFieldWidth);
    TakeWhenFinished(field, this,
                     [this, handler](const std::string& text) { Run([&] { handler(text); }); });
    return field;
}

QGroupBox* CMosaicSet::LayoutGroup() {
    auto* group = new QGroupBox(CaptionOf(Caption::LayoutGroup));
    auto* grid = new QGridLayout(group);
    layouts_ = new QButtonGroup(this);
    for (int layout = 0; layout < static_cast<int>(MosaicLogic::kLayouts.size()); ++layout) {
        auto* button = new QRadioButton(Text(MosaicLogic::LayoutCaption(layout)));
        layouts_->addButton(button, layout);
        grid->addWidget(button, layout / kLayoutsPerRow, layout % kLayoutsPerRow);
    }
    connect(layouts_, &QButtonGroup::idClicked, this, [this](int layout) {
        const auto [rows, columns] = MosaicLogic::kLayouts[layout];
        Run([&] { logic_.OnLayout(rows, columns); });
    });
    rows_ = new QLineEdit;
    columns_ = new QLineEdit;
    auto* create = Button(CaptionOf(Caption::Create), [this] {
        logic_.OnCreate(rows_->text().toStdString(), columns_->text().toStdString());
    });
    auto* createRow = new QHBoxLayout;
    for (QLineEdit* field : {rows_, columns_}) field->setFixedWidth(kFieldWidth / 2);
    createRow->addWidget(rows_);
    createRow->addWidget(new QLabel("X"));
    createRow->addWidget(columns_);
    createRow->addWidget(create);
    createRow->addStretch();
    grid->addLayout(createRow, 2, 0, 1, kLayoutsPerRow);
    return group;
}

QGroupBox* CMosaicSet::ChannelGroup(int card) {
    auto* group = new QGroupBox(card == 0 ? "K" : "L");
    auto* column = new QVBoxLayout(group);
    for (int channel = 1; channel <= 4; ++channel) {
        auto* button = new QRadioButton(Text(logic_.ChannelCaption(channel)));
        // One choice over both cards: the window shows the logic's, never Qt's own.
        button->setAutoExclusive(false);
        connect(button, &QRadioButton::clicked, this,
                [this, card, channel] { Run([&] { logic_.OnChannel(card, channel); }); });
        channels_[card][channel - 1] = button;
        column->addWidget(button);
    }
    return group;
}

QGroupBox* CMosaicSet::FieldGroup(Group group, Caption title) {
    const int side = static_cast<int>(group);
    auto* box = new QGroupBox(CaptionOf(title));
    auto* grid = new QGridLayout(box);
    for (int i = 0; i < 4; ++i) {
        const auto field = static_cast<Field>(i);
        fields_[side][i] = EditField(
            [this, group, field](const std::string& text) { logic_.OnField(group, field, text); });
        grid->addWidget(new QLabel(CaptionOf(kFieldCaptions[i])), i, 0);
        grid->addWidget(fields_[side][i], i, 1);
        grid->addWidget(SpinArrows(group, field), i, 2);
    }
    const auto save =
        group == Group::Input ? &MosaicLogic::OnSaveInput : &MosaicLogic::OnSaveOutput;
    auto* saveButton = Button(CaptionOf(Caption::Save), [this, save, side] {
        const auto& fields = fields_[side];
        TakeUnfinished({fields[0], fields[1], fields[2], fields[3]});
        (logic_.*save)();
    });
    grid->addWidget(saveButton, 4, 0, 1, 3);
    return box;
}

QWidget* CMosaicSet::SpinArrows(Group group, Field field) {
    auto* arrows = new QWidget;
    auto* column = new QVBoxLayout(arrows);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    for (bool up : {true, false}) {
        auto* arrow = new QToolButton;
        arrow->setArrowType(up ? Qt::UpArrow : Qt::DownArrow);
        arrow->setFixedSize(18, 11);
        // An arrow takes no focus: what is typed in its field is taken first.
        connect(arrow, &QToolButton::clicked, this, [this, group, field, up] {
            TakeUnfinished({fields_[static_cast<int>(group)][static_cast<int>(field)]});
            Run([&] { logic_.OnSpin(group, field, up); });
        });
        column->addWidget(arrow);
    }
    return arrows;
}

// The per-window controls go with the old grid; the new ones are laid out row by row.
void CMosaicSet::BuildGrid(const MosaicView& view) {
    // What is typed in the old grid goes with it, never into the new one.
    for (const GridCell& cell : cells_) {
        cell.width->setModified(false);
        cell.height->setModified(false);
    }
    delete grid_;
    cells_.clear();
    grid_ = new QWidget;
    auto* cells = new QGridLayout(grid_);
    for (int window = 0; window < static_cast<int>(view.windows.size()); ++window)
        cells->addWidget(GridCellWidget(window), window / view.columns, window % view.columns);
    gridFrame_->layout()->addWidget(grid_);
    gridColumns_ = view.columns;
}

QWidget* CMosaicSet::GridCellWidget(int window) {
    auto* cell = new QWidget;
    auto* grid = new QGridLayout(cell);
    GridCell controls{
        Button({}, [this, window] { logic_.OnSelectWindow(window); }),
        EditField([this, window](const std::string& text) { logic_.OnWindowWidth(window, text); }),
        EditField([this, window](const std::string& text) { logic_.OnWindowHeight(window, text); }),
    };
    grid->addWidget(controls.button, 0, 0, 1, 2);
    grid->addWidget(new QLabel(CaptionOf(Caption::WindowWidth)), 1, 0);
    grid->addWidget(controls.width, 1, 1);
    grid->addWidget(new QLabel(CaptionOf(Caption::WindowHeight)), 2, 0);
    grid->addWidget(controls.height, 2, 1);
    cells_.push_back(controls);
    return cell;
}

void CMosaicSet::Run(const std::function<void()>& handler) {
    handler();
    Refresh();
}

void CMosaicSet::Refresh() {
    const MosaicView view = logic_.View();
    ShowLayout(view);
    if (cells_.size() != view.windows.size() || gridColumns_ != view.columns) BuildGrid(view);
    ShowGrid(view);
    ShowChannels(view);
    ShowFields(view);
}

void CMosaicSet::TakeUnfinishedGrid() {
    for (const GridCell& cell : cells_) TakeUnfinished({cell.width, cell.height});
}

// A grid only "Create" makes has no layout button: none is shown checked then.
void CMosaicSet::ShowLayout(const MosaicView& view) {
    layouts_->setExclusive(false);
    for (QAbstractButton* button : layouts_->buttons())
        button->setChecked(layouts_->id(button) == view.layout);
    layouts_->setExclusive(true);
}

void CMosaicSet::ShowGrid(const MosaicView& view) {
    for (std::size_t k = 0; k < cells_.size(); ++k) {
        const MosaicGridWindow& window = view.windows[k];
        cells_[k].button->setText(Text(window.caption));
        cells_[k].button->setStyleSheet(window.selected ? kSelectedLook : kUnselectedLook);
        SetText(cells_[k].width, window.width);
        SetText(cells_[k].height, window.height);
    }
}

void CMosaicSet::ShowChannels(const MosaicView& view) {
    for (int card = 0; card < 2; ++card) {
        for (int channel = 1; channel <= 4; ++channel) {
            QRadioButton* button = channels_[card][channel - 1];
            button->setChecked(card == view.card && channel == view.channel);
            button->setEnabled(view.channelEnabled[card][channel - 1]);
        }
    }
}

void CMosaicSet::ShowFields(const MosaicView& view) {
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < 4; ++i) SetText(fields_[side][i], view.fields[side][i]);
    }
}

}  // namespace hsq
