#include "app/main_window.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace hsq {
namespace {

QGroupBox* FramedArea(CardAreaWidget* area) {
    auto* box = new QGroupBox;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(8, 16, 8, 8);
    layout->addWidget(area);
    return box;
}

}  // namespace

CHSQ2600ObjDlg::CHSQ2600ObjDlg(MainWindowLogic& logic, QWidget* parent)
    : StyledDialog(parent), logic_(logic) {
    // A fixed frame with a minimise box, and no maximise box: the layout is made for one size.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    auto* outer = new QVBoxLayout(this);
    outer->setSizeConstraint(QLayout::SetFixedSize);
    BuildMenu();
    outer->setMenuBar(menu_);

    auto* body = new QHBoxLayout;
    auto* column = new QVBoxLayout;
    AddButton(Caption::Connect, &MainWindowLogic::OnConnectButton);
    AddButton(Caption::ConnectionSettings, &MainWindowLogic::OnConnectionSettings);
    AddButton(Caption::Initialise, &MainWindowLogic::OnInitialise);
    AddButton(Caption::Resolution, &MainWindowLogic::OnResolution);
    AddButton(Caption::DisplayMode, &MainWindowLogic::OnDisplayMode);
    AddButton(Caption::Language, &MainWindowLogic::OnLanguage);
    AddButton(Caption::Version, &MainWindowLogic::OnVersion);
    for (const auto& [caption, button] : buttons_) column->addWidget(button);
    column->addStretch();
    body->addLayout(column);

    inputArea_ = new CardAreaWidget(logic_, MainWindowLogic::Area::Input);
    outputArea_ = new CardAreaWidget(logic_, MainWindowLogic::Area::Output);
    inputBox_ = FramedArea(inputArea_);
    outputBox_ = FramedArea(outputArea_);
    body->addWidget(inputBox_);
    body->addWidget(outputBox_);
    outer->addLayout(body);

    auto* bottom = new QHBoxLayout;
    status_ = new QLabel;
    status_->setObjectName("status");
    clock_ = new QLabel;
    clock_->setObjectName("clock");
    bottom->addWidget(status_, 1);
    bottom->addWidget(clock_);
    outer->addLayout(bottom);

    for (CardAreaWidget* area : {inputArea_, outputArea_}) {
        connect(area, &CardAreaWidget::Changed, this, &CHSQ2600ObjDlg::Refresh);
    }
    // A group box keeps the presses on its frame to itself.
    inputBox_->installEventFilter(this);
    outputBox_->installEventFilter(this);
    connect(&clockTimer_, &QTimer::timeout, this, &CHSQ2600ObjDlg::ShowClock);
}

QPushButton* CHSQ2600ObjDlg::AddButton(Caption caption, void (MainWindowLogic::*handler)()) {
    auto* button = new QPushButton;
    button->setMinimumSize(190, 34);
    connect(button, &QPushButton::clicked, this, [this, handler] { Run(handler); });
    buttons_[caption] = button;
    return button;
}

void CHSQ2600ObjDlg::BuildMenu() {
    menu_ = new QMenuBar(this);
    commands_ = menu_->addMenu(QString());
    const std::pair<Caption, void (MainWindowLogic::*)()> entries[] = {
        {Caption::Scheduler, &MainWindowLogic::OnScheduler},
        {Caption::ModeRecall, &MainWindowLogic::OnModeRecall},
        {Caption::AdcEdid, &MainWindowLogic::OnAdcEdid},
        {Caption::TrafficMonitor, &MainWindowLogic::OnTrafficMonitor},
        {Caption::About, &MainWindowLogic::OnAbout},
    };
    for (const auto& [caption, handler] : entries) {
        if (caption == Caption::About) commands_->addSeparator();
        QAction* action = commands_->addAction(QString());
        connect(action, &QAction::triggered, this, [this, h = handler] { Run(h); });
        actions_[caption] = action;
    }
}

void CHSQ2600ObjDlg::Run(void (MainWindowLogic::*handler)()) {
    (logic_.*handler)();
    Refresh();
}

void CHSQ2600ObjDlg::Refresh() {
    setWindowTitle(QString::fromStdString(logic_.WindowTitle()));
    for (const auto& [caption, button] : buttons_) button->setText(Text(logic_.CaptionText(caption)));
    for (const auto& [caption, action] : actions_) action->setText(Text(logic_.CaptionText(caption)));
    commands_->setTitle(logic_.State().language == kChinese ? QString::fromUtf8("命令")
                                                            : QString("Commands"));
    inputBox_->setTitle(Text(logic_.CaptionText(Caption::InputArea)));
    outputBox_->setTitle(Text(logic_.CaptionText(Caption::OutputArea)));
    status_->setText(QString::fromStdString(logic_.State().statusLine));
    if (logic_.ClockRunning() && !clockTimer_.isActive()) {
        clockTimer_.start(MainWindowLogic::kClockPeriodMs);
        ShowClock();
    }
    inputArea_->update();
    outputArea_->update();
}

void CHSQ2600ObjDlg::ShowStatusLine(const std::string& line) {
    QMetaObject::invokeMethod(
        status_, [label = status_, text = QString::fromStdString(line)] { label->setText(text); },
        Qt::QueuedConnection);
}

void CHSQ2600ObjDlg::ShowClock() {
    clock_->setText(QString::fromStdString(logic_.ClockText()));
    if (logic_.OnClockTick()) Refresh();
}

// The window's background, its labels and the areas' frames lie outside both card areas.
void CHSQ2600ObjDlg::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) PressOutsideTheAreas();
    StyledDialog::mousePressEvent(event);
}

bool CHSQ2600ObjDlg::eventFilter(QObject* watched, QEvent* event) {
    const bool onFrame = watched == inputBox_ || watched == outputBox_;
    if (onFrame && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        PressOutsideTheAreas();
    }
    return StyledDialog::eventFilter(watched, event);
}

void CHSQ2600ObjDlg::PressOutsideTheAreas() {
    logic_.OnLeftButtonDown(MainWindowLogic::Area::None, {});
    Refresh();
}

void CHSQ2600ObjDlg::CloseNow() {
    closing_ = true;
    StyledDialog::reject();
}

// The window's close box and Escape both end up here: ask first.
void CHSQ2600ObjDlg::reject() {
    if (closing_ || logic_.OnClose()) CloseNow();
}

}  // namespace hsq
