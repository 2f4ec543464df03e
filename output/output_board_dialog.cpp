#include "output/output_board_dialog.h"

#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QShortcut>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <initializer_list>

#include "output/mode_preview.h"
#include "ui/field_text.h"
#include "ui/finished_field.h"
#include "ui/qt_painter.h"
#include "ui/qt_text.h"
#include "ui/refresh_after_input.h"
#include "ui/widget_row.h"

namespace hsq {
namespace {

constexpr int kFieldWidth = 56;
constexpr int kMenuTitleMargin = 40;
constexpr int kColumnGap = 24;
constexpr std::array<const char*, 4> kFieldLetters{"W", "H", "X", "Y"};
constexpr QSize kPreviewSize{64, 40};

int Side(OutputBoardLogic::Canvas canvas) {
    return canvas == OutputBoardLogic::Canvas::Input ? 0 : 1;
}

QLineEdit* Field() {
    auto* field = new QLineEdit;
    field->setFixedWidth(kFieldWidth);
    return field;
}

// What the operator is still typing stays until it is finished, whatever else the window shows.
void ShowUnlessTyping(QLineEdit* field, int value) {
    if (!field->isModified()) ShowText(field, QString::number(value));
}

}  // namespace

CCOverlay::CCOverlay(OutputBoardLogic& logic, QWidget* parent)
    : StyledDialog(parent), logic_(logic), modeCopyMenu_(this), mosaicMenu_(this) {
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(ControlRows());
    inputFrame_ = ImageFrame(Canvas::Input, Caption::InputImage, &OutputBoardLogic::OnSaveInput);
    inputFrame_->setObjectName("input-image");
    outputFrame_ =
        ImageFrame(Canvas::Output, Caption::OutputImage, &OutputBoardLogic::OnSaveOutput);
    outputFrame_->setObjectName("output-image");
    auto* frames = new QHBoxLayout;
    frames->addWidget(inputFrame_);
    frames->addWidget(outputFrame_);
    layout->addLayout(frames);
    BuildMenus();
    Refresh();
}

QString CCOverlay::CaptionOf(Caption caption) const {
    return Text(logic_.CaptionText(caption));
}

QLabel* CCOverlay::Label(Caption caption) const {
    return new QLabel(CaptionOf(caption));
}

// Enter in a field presses no button: each would send something the operator did not ask for.
QPushButton* CCOverlay::Button(const QString& text, const std::function<void()>& handler) {
    auto* button = new QPushButton(text);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, handler] { Run(handler); });
    return button;
}

// Shown pressed while the logic says so; the image, matrix and overlay buttons are in Verdana.
QPushButton* CCOverlay::PressableButton(const QString& text, const std::function<void()>& handler) {
    QPushButton* button = Button(text, handler);
    button->setCheckable(true);
    button->setFont(QFont("Verdana"));
    return button;
}

// Two columns of captioned rows, a gap between them.
QLayout* CCOverlay::ControlRows() {
    struct Captioned {
        Caption caption;
        QLayout* row;
    };
    const std::array<std::array<Captioned, 4>, 2> columns{{
        {{{Caption::DisplayModeLabel, ModeRow()},
          {Caption::ImageLabel, ImageRow()},
          {Caption::MatrixLabel, MatrixRow()},
          {Caption::MuteLabel, MuteRow()}}},
        {{{Caption::OverlayLabel, OverlayRow()},
          {Caption::BorderSwitchLabel, BorderRow()},
          {Caption::BrightnessLabel, BrightnessRow()},
          {Caption::ClockLabel, ClockRow()}}},
    }};
    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(2, kColumnGap);
    for (int column = 0; column < 2; ++column) {
        for (int row = 0; row < 4; ++row) {
            grid->addWidget(Label(columns[column][row].caption), row, column * 3);
            grid->addLayout(columns[column][row].row, row, column * 3 + 1);
        }
    }
    return grid;
}

QLayout* CCOverlay::ModeRow() {
    modes_ = new QComboBox;
    for (int mode = 0; mode < kDisplayModeCount; ++mode) modes_->addItem({});
    modes_->setIconSize(kPreviewSize);
    modes_->setMinimumWidth(200);
    connect(modes_, &QComboBox::currentIndexChanged, this,
            [this](int mode) { Run([&] { logic_.OnDisplayMode(mode); }); });
    return WidgetRow({modes_});
}

QLayout* CCOverlay::ImageRow() {
    for (int image = 0; image < 4; ++image) {
        images_[image] = PressableButton(QString("IMG%1").arg(image + 1),
                                         [this, image] { logic_.OnImage(image); });
    }
    imageAll_ = PressableButton(CaptionOf(Caption::ImageAll), [this] { logic_.OnImageAll(); });
    return WidgetRow({images_[0], images_[1], images_[2], images_[3], imageAll_});
}

QLayout* CCOverlay::MatrixRow() {
    for (int port = 0; port < 4; ++port)
        matrix_[port] = PressableButton({}, [this, port] { logic_.OnMatrix(port); });
    return WidgetRow({matrix_[0], matrix_[1], matrix_[2], matrix_[3]});
}

QLayout* CCOverlay::MuteRow() {
    channelOn_ = new QCheckBox(CaptionOf(Caption::Open));
    connect(channelOn_, &QCheckBox::clicked, this,
            [this](bool on) { Run([&] { logic_.OnChannelOn(on); }); });
    return WidgetRow({channelOn_});
}

QLayout* CCOverlay::OverlayRow() {
    overlay_ = PressableButton(CaptionOf(Caption::Overlay), [this] { logic_.OnOverlay(); });
    fade_ = new QComboBox;
    for (int seconds = 0; seconds <= 5; ++seconds)
        fade_->addItem(QString("%1S").arg(seconds));
    connect(fade_, &QComboBox::currentIndexChanged, this,
            [this](int seconds) { Run([&] { logic_.OnFadeTime(seconds); }); });
    order_ = new QLabel;
    return WidgetRow({overlay_, fade_, order_});
}

QLayout* CCOverlay::BorderRow() {
    borderSwitch_ = new QCheckBox(CaptionOf(Caption::Open));
    connect(borderSwitch_, &QCheckBox::clicked, this, [this](bool on) {
        Run([&] {
            TakeUnfinished({border_[0], border_[1], border_[2], border_[3]});
            logic_.OnBorderSwitch(on);
        });
    });
    for (int i = 0; i < 4; ++i) {
        border_[i] = Field();
        TakeWhenFinished(border_[i], this, [this, i](const std::string& text) {
            Run([&] { logic_.OnBorderField(i, text); });
        });
    }
    borderSet_ = Button(CaptionOf(Caption::Set), [this] {
        TakeUnfinished({border_[0], border_[1], border_[2], border_[3]});
        logic_.OnBorderSet();
    });
    return WidgetRow({borderSwitch_, Label(Caption::RgbLabel), border_[0], border_[1], border_[2],
                Label(Caption::SizeLabel), border_[3], Label(Caption::SizeHint), borderSet_});
}

QLayout* CCOverlay::BrightnessRow() {
    brightness_ = Field();
    TakeWhenFinished(brightness_, this, [this](const std::string& text) {
        Run([&] { logic_.OnBrightnessField(text); });
    });
    auto* set = Button(CaptionOf(Caption::Set), [this] {
        TakeUnfinished({brightness_});
        logic_.OnBrightnessSet();
    });
    advanced_ = Button(CaptionOf(Caption::Advanced), [this] { logic_.OnAdvanced(); });
    return WidgetRow({brightness_, set, Label(Caption::AdvancedLabel), advanced_});
}

QLayout* CCOverlay::ClockRow() {
    clock_ = {new QRadioButton("In-A"), new QRadioButton("K.Out1")};
    for (int source = 0; source < 2; ++source) {
        connect(clock_[source], &QRadioButton::clicked, this,
                [this, source] { Run([&] { logic_.OnClockSource(source); }); });
    }
    return WidgetRow({clock_[0], clock_[1]});
}

QGroupBox* CCOverlay::ImageFrame(Canvas canvas, Caption title, void (OutputBoardLogic::*save)()) {
    auto* frame = new QGroupBox(CaptionOf(title));
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(CanvasView(canvas), 0, Qt::AlignHCenter);
    layout->addLayout(FieldRow(canvas, save));
    return frame;
}

// Ctrl+Z takes back the canvas's last move; its releases and keys refresh the fields.
LayoutCanvasWidget* CCOverlay::CanvasView(Canvas canvas) {
    auto* view = new LayoutCanvasWidget(logic_.CanvasOf(canvas));
    view->setFixedSize(OutputSpace::kCanvasWidth, OutputSpace::kCanvasHeight);
    new RefreshAfterInput(view, [this] { Refresh(); });
    new QShortcut(
        QKeySequence::Undo, view, [this, canvas] { Run([&] { logic_.OnUndo(canvas); }); },
        Qt::WidgetShortcut);
    canvases_[Side(canvas)] = view;
    return view;
}

QLayout* CCOverlay::FieldRow(Canvas canvas, void (OutputBoardLogic::*save)()) {
    const int side = Side(canvas);
    auto* row = new QHBoxLayout;
    Fields& fields = fields_[side];
    for (int i = 0; i < 4; ++i) {
        fields[i] = Field();
        const auto which = static_cast<OutputSpace::Field>(i);
        TakeWhenFinished(fields[i], this, [this, canvas, which](const std::string& text) {
            Run([&] { logic_.OnField(canvas, which, text); });
        });
        row->addWidget(new QLabel(kFieldLetters[i]));
        row->addWidget(fields[i]);
    }
    row->addStretch();
    saves_[side] = Button(CaptionOf(Caption::Save), [this, save, &fields] {
        TakeUnfinished({fields[0], fields[1], fields[2], fields[3]});
        (logic_.*save)();
    });
    row->addWidget(saves_[side]);
    return row;
}

void CCOverlay::BuildMenus() {
    // The header says what the items do; the menu is made wide enough to show it whole.
    const QString title = CaptionOf(Caption::ModeCopyMenu);
    modeCopyMenu_.setTitle(title);
    modeCopyMenu_.addSection(title);
    modeCopyMenu_.setMinimumWidth(fontMetrics().horizontalAdvance(title) + kMenuTitleMargin);
    for (int mode = 0; mode < kDisplayModeCount; ++mode)
        modeCopyMenu_.addAction(QString("Mode%1").arg(mode + 1))->setData(mode);
    connect(&modeCopyMenu_, &QMenu::aboutToShow, this, &CCOverlay::CaptionModeCopyMenu);
    mosaic_ = mosaicMenu_.addAction(CaptionOf(Caption::MosaicMenu));
}

void CCOverlay::CaptionModeCopyMenu() {
    for (QAction* item : modeCopyMenu_.actions()) {
        if (!item->isSeparator())
            item->setText(Text(logic_.ModeItem(item->data().toInt())));
    }
}

QMenu& CCOverlay::PopUpModeCopyMenu() {
    modeCopyMenu_.popup(outputFrame_->mapToGlobal(outputFrame_->rect().center()));
    return modeCopyMenu_;
}

void CCOverlay::contextMenuEvent(QContextMenuEvent* event) {
    const auto inside = [&](QWidget* frame) {
        return frame->rect().contains(frame->mapFromGlobal(event->globalPos()));
    };
    if (inside(outputFrame_)) {
        if (QAction* chosen = modeCopyMenu_.exec(event->globalPos()))
            Run([&] { logic_.OnModeCopy(chosen->data().toInt()); });
    } else if (inside(inputFrame_)) {
        if (mosaicMenu_.exec(event->globalPos()) == mosaic_) Run([&] { logic_.OnMosaic(); });
    }
}

// The canvases tell the logic of a move or a resize themselves; the fields follow once the
// canvas has handled the release or the key.
void CCOverlay::Run(const std::function<void()>& handler) {
    handler();
    Refresh();
}

void CCOverlay::Refresh() {
    const OutputBoardView view = logic_.View();
    setWindowTitle(Text(view.title));
    for (int i = 0; i < 4; ++i) {
        ShowUnlessTyping(fields_[0][i], view.inputFields[i]);
        ShowUnlessTyping(fields_[1][i], view.outputFields[i]);
    }
    for (auto& fields : fields_)
        for (QLineEdit* field : fields)
            field->setEnabled(view.editingEnabled);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{canvases_[0], canvases_[1], saves_[0], saves_[1]})
        widget->setEnabled(view.editingEnabled);
    {
        // The lists report a new choice; one the logic made is not the operator's.
        const QSignalBlocker quietModes(modes_);
        const QSignalBlocker quietFade(fade_);
        ShowModes(view.modes);
        modes_->setCurrentIndex(view.displayMode);
        fade_->setCurrentIndex(view.fadeTime);
    }
    fade_->setEnabled(view.fadeEnabled);
    order_->setText(Text(view.orderLabel));
    order_->setVisible(view.orderLabelShown);
    ShowButtons(view);
    ShowBorder(view);
    ShowUnlessTyping(brightness_, view.brightness);
    advanced_->setEnabled(view.advancedEnabled);
    mosaic_->setEnabled(view.mosaicEnabled);
    clock_[view.clockSource == 1 ? 1 : 0]->setChecked(true);
}

// Drawn again only when a name or a layout changed.
void CCOverlay::ShowModes(const CardModeLayouts& modes) {
    if (modes == shownModes_) return;
    const Rect area{0, 0, kPreviewSize.width(), kPreviewSize.height()};
    for (int mode = 0; mode < kDisplayModeCount; ++mode) {
        modes_->setItemText(mode, Text(modes.modes[mode].caption));
        modes_->setItemIcon(mode, PaintedPixmap(kPreviewSize, [&](Painter& painter) {
                                DrawModePreview(painter, area, modes, mode);
                            }));
    }
    shownModes_ = modes;
}

void CCOverlay::ShowButtons(const OutputBoardView& view) {
    for (int image = 0; image < 4; ++image) {
        images_[image]->setEnabled(view.imageEnabled[image]);
        images_[image]->setChecked(view.imagePressed[image]);
    }
    imageAll_->setEnabled(view.imageAllEnabled);
    imageAll_->setChecked(view.imageAllPressed);
    overlay_->setEnabled(view.overlayEnabled);
    overlay_->setChecked(view.overlayPressed);
    for (int port = 0; port < 4; ++port) {
        matrix_[port]->setText(Text(view.matrixCaptions[port]));
        matrix_[port]->setChecked(port == view.matrixPressed);
    }
    channelOn_->setChecked(view.channelOn);
    channelOn_->setEnabled(view.channelOnEnabled);
}

void CCOverlay::ShowBorder(const OutputBoardView& view) {
    borderSwitch_->setChecked(view.borderOn);
    borderSwitch_->setEnabled(view.borderSwitchEnabled);
    for (int i = 0; i < 4; ++i) {
        ShowUnlessTyping(border_[i], view.border[i]);
        border_[i]->setEnabled(view.borderFieldsEnabled);
    }
    borderSet_->setEnabled(view.borderFieldsEnabled);
}

}  // namespace hsq
