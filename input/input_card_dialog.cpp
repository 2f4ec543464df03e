#include "input/input_card_dialog.h"

#include <QColor>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QShortcut>
#include <QVBoxLayout>

#include "canvas/layout_canvas_widget.h"
#include "ui/field_text.h"
#include "ui/finished_field.h"
#include "ui/qt_text.h"
#include "ui/refresh_after_input.h"

namespace hsq {
namespace {

constexpr int kFieldWidth = 56;

// White text on the face the logic gives; a disabled button's text is dimmed.
void Paint(QPushButton* button, Color face) {
    const QString sheet =
        QString(
            "QPushButton { background: %1; color: white; border: 1px solid #40464f; }"
            "QPushButton:disabled { color: #8c8c8c; }")
            .arg(QColor(face.red, face.green, face.blue).name());
    if (button->styleSheet() != sheet)
        button->setStyleSheet(sheet);
}

// The signal buttons are in SimSun; a Chinese font that is there stands in where it is not.
QFont SignalFont() {
    QFont font("宋体", 8);
    font.setFamilies({"宋体", "SimSun", "WenQuanYi Micro Hei"});
    return font;
}

}  // namespace

COneShow::COneShow(InputCardLogic& logic, QWidget* parent) : StyledDialog(parent), logic_(logic) {
    auto* layout = new QVBoxLayout(this);
    // The window shrinks when the lower panel folds away.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addLayout(SignalRow());
    layout->addLayout(SwitchRow());
    panelToggle_ = Button({}, [this] { logic_.OnPanelToggle(); });
    layout->addWidget(panelToggle_);
    lowerPanel_ = LowerPanel();
    layout->addWidget(lowerPanel_);
    Refresh();
}

QString COneShow::CaptionOf(Caption caption) const {
    return Text(logic_.CaptionText(caption));
}

// Enter in a field presses no button: each would send something the operator did not ask for.
QPushButton* COneShow::Button(const QString& text, const std::function<void()>& handler) {
    auto* button = new QPushButton(text);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, handler] { Run(handler); });
    return button;
}

QLayout* COneShow::SignalRow() {
    auto* row = new QHBoxLayout;
    for (int button = 0; button < InputCardLogic::kSignalButtons; ++button) {
        signalButtons_[button] = Button(Text(InputCardLogic::SignalCaption(button)),
                                        [this, button] { logic_.OnSignal(button); });
        signalButtons_[button]->setFont(SignalFont());
        row->addWidget(signalButtons_[button]);
    }
    return row;
}

QLayout* COneShow::SwitchRow() {
    pip_ = Button(CaptionOf(Caption::Pip), [this] { logic_.OnPip(); });
    text_ = Button(CaptionOf(Caption::Text), [this] { logic_.OnText(); });
    vgaAuto_ = Button(CaptionOf(Caption::VgaAuto), [this] { logic_.OnVgaAuto(); });
    settings_ = Button(CaptionOf(Caption::Settings), [this] { logic_.OnSettings(); });
    auto* row = new QHBoxLayout;
    for (QPushButton* button : {pip_, text_, vgaAuto_, settings_})
        row->addWidget(button);
    return row;
}

QWidget* COneShow::LowerPanel() {
    auto* panel = new QWidget;
    panel->setObjectName("lower-panel");
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(CanvasWithCorners());
    layout->addLayout(RectangleEditor());
    return panel;
}

// Ctrl+Z takes back the canvas's last move; its releases and keys refresh the fields.
QLayout* COneShow::CanvasWithCorners() {
    for (QLabel*& corner : corners_)
        corner = new QLabel;
    auto* view = new LayoutCanvasWidget(logic_.Canvas());
    view->setFixedSize(InputCardSpace::kCanvasWidth, InputCardSpace::kCanvasHeight);
    new RefreshAfterInput(view, [this] { Refresh(); });
    new QShortcut(
        QKeySequence::Undo, view, [this] { Run([&] { logic_.OnUndo(); }); }, Qt::WidgetShortcut);
    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(2);
    grid->addWidget(corners_[0], 0, 0, Qt::AlignLeft);
    grid->addWidget(view, 1, 0, 1, 2);
    grid->addWidget(corners_[1], 2, 0, Qt::AlignLeft);
    grid->addWidget(corners_[2], 2, 1, Qt::AlignRight);
    return grid;
}

QLayout* COneShow::RectangleEditor() {
    auto* grid = new QGridLayout;
    const std::array<QString, 4> headings{CaptionOf(Caption::Width), CaptionOf(Caption::Height),
                                          "X", "Y"};
    for (int i = 0; i < 4; ++i)
        grid->addWidget(new QLabel(headings[i]), 0, i + 1, Qt::AlignHCenter);
    for (Row row : {Row::Main, Row::Pip}) {
        const int r = static_cast<int>(row);
        grid->addWidget(
            new QLabel(CaptionOf(row == Row::Main ? Caption::MainRow : Caption::PipRow)), r + 1, 0);
        for (int i = 0; i < 4; ++i) {
            QLineEdit* field = fields_[r][i] = new QLineEdit;
            field->setFixedWidth(kFieldWidth);
            TakeWhenFinished(field, this, [this, row, i](const std::string& text) {
                Run([&] { logic_.OnField(row, static_cast<InputCardLogic::Field>(i), text); });
            });
            grid->addWidget(field, r + 1, i + 1);
        }
    }
    // The fields keep to their captions; the room left goes before Save.
    grid->setColumnStretch(5, 1);
    const auto save = [this] {
        const auto& [main, pip] = fields_;
        TakeUnfinished({main[0], main[1], main[2], main[3], pip[0], pip[1], pip[2], pip[3]});
        logic_.OnSave();
    };
    grid->addWidget(Button(CaptionOf(Caption::Save), save), 1, 6, 2, 1);
    return grid;
}

// The canvas tells the logic of a move or a resize itself; the fields follow once the canvas
// has handled the release or the key.
void COneShow::Run(const std::function<void()>& handler) {
    handler();
    Refresh();
}

void COneShow::Refresh() {
    const InputCardView view = logic_.View();
    setWindowTitle(Text(view.title));
    for (int button = 0; button < InputCardLogic::kSignalButtons; ++button)
        Paint(signalButtons_[button], view.signalFaces[button]);
    Paint(pip_, view.pipFace);
    Paint(text_, view.textFace);
    Paint(vgaAuto_, view.vgaAutoFace);
    pip_->setEnabled(view.pipEnabled);
    text_->setEnabled(view.textEnabled);
    vgaAuto_->setEnabled(view.vgaAutoEnabled);
    settings_->setEnabled(view.settingsEnabled);
    panelToggle_->setText(Text(view.panelToggleCaption));
    panelToggle_->setEnabled(view.panelToggleEnabled);
    lowerPanel_->setVisible(!view.collapsed);
    for (int i = 0; i < 3; ++i)
        corners_[i]->setText(Text(view.cornerLabels[i]));
    ShowRectangle(fields_[0], view.mainFields, nullptr);
    ShowRectangle(fields_[1], view.pipFields, nullptr);
}

}  // namespace hsq
