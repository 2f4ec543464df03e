#include "ui/waiting_box_dialog.h"

#include <thread>
#include <utility>

#include <QCloseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace hsq {
namespace {

constexpr int kDots = 12;

// Hands progress over to the box's thread, and the operator's stop back to the work.
class QueuedProgress final : public WorkProgress {
  public:
    QueuedProgress(QObject* box, const std::atomic<bool>& stop) : box_(box), stop_(stop) {}
    void Report(int done, int total) override { ReportTimeLeft(done, total, -1); }
    void ReportTimeLeft(int done, int total, int secondsLeft) override {
        QMetaObject::invokeMethod(box_, "ShowProgress", Qt::QueuedConnection, Q_ARG(int, done),
                                  Q_ARG(int, total), Q_ARG(int, secondsLeft));
    }
    bool StopRequested() const override { return stop_; }

  private:
    QObject* box_;
    const std::atomic<bool>& stop_;
};

}  // namespace

CWaitingBox::CWaitingBox(QWidget* parent, LanguageFlag language)
    : StyledDialog(parent), language_(language) {
    setWindowTitle(QString::fromUtf8(Bilingual{"请稍候", "Please wait"}.In(language)));
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    setFixedSize(240, 180);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    progress_ = new QLabel(QString::fromUtf8(
        Bilingual{"正在与设备通讯...", "Talking to the processor..."}.In(language)));
    progress_->setAlignment(Qt::AlignCenter);
    layout->addWidget(progress_);
    cancel_ = new QPushButton(QString::fromUtf8(Bilingual{"取消", "Cancel"}.In(language)));
    cancel_->setVisible(false);  // until the work shows it can say how far it has got
    layout->addWidget(cancel_, 0, Qt::AlignCenter);
    connect(cancel_, &QPushButton::clicked, this, &CWaitingBox::RequestStop);
    connect(&countdown_, &QTimer::timeout, this, &CWaitingBox::ShowTimeLeft);
    connect(&animation_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % kDots;
        update();
    });
    animation_.start(80);
}

void CWaitingBox::Run(QWidget* parent, LanguageFlag language,
                      const std::function<void(WorkProgress&)>& work, ProgressShown progressShown) {
    CWaitingBox box(parent, language);
    box.progressShown_ = std::move(progressShown);
    QueuedProgress progress(&box, box.stopRequested_);
    std::thread worker([&] {
        work(progress);
        QMetaObject::invokeMethod(&box, "WorkEnded", Qt::QueuedConnection);
    });
    // The end is queued: when the work is over before the box shows, exec() closes it at once.
    box.exec();
    worker.join();
}

void CWaitingBox::ShowProgress(int done, int total, int secondsLeft) {
    steps_ = QString("%1 / %2").arg(done).arg(total);
    cancel_->setVisible(true);
    if (secondsLeft >= 0) {
        workDone_.setRemainingTime(secondsLeft * 1000);
        countdown_.start(1000);
    }
    ShowTimeLeft();
    if (progressShown_) {
        layout()->activate();  // the new lines laid out before the box is pictured
        std::exchange(progressShown_, nullptr)(*this);
    }
}

// Between two reports the time left runs down by itself, so a long reply wait shows it move.
void CWaitingBox::ShowTimeLeft() {
    QString text = steps_;
    if (countdown_.isActive()) {
        const int seconds = static_cast<int>((workDone_.remainingTime() + 999) / 1000);
        text += '\n' + QString::fromUtf8(Bilingual{"剩余时间 ", "Time left "}.In(language_)) +
                QString("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QChar('0'));
    }
    if (stopRequested_) {
        text += '\n' + QString::fromUtf8(Bilingual{"正在停止...", "Stopping..."}.In(language_));
    }
    progress_->setText(text);
}

void CWaitingBox::RequestStop() {
    stopRequested_ = true;
    cancel_->setEnabled(false);
    ShowTimeLeft();
}

void CWaitingBox::reject() {
    if (ended_)
        StyledDialog::reject();
    else if (cancel_->isVisible())
        RequestStop();
}

void CWaitingBox::WorkEnded() {
    ended_ = true;
    accept();
}

void CWaitingBox::paintEvent(QPaintEvent* event) {
    StyledDialog::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(width() / 2.0, 48);
    for (int i = 0; i < kDots; ++i) {
        const int age = (frame_ - i + kDots) % kDots;
        QColor colour("#2d5d9a");
        colour.setAlphaF(1.0 - age / static_cast<double>(kDots));
        painter.setBrush(colour);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(QPointF(0, -22), 4, 4);
        painter.rotate(360.0 / kDots);
    }
}

}  // namespace hsq
