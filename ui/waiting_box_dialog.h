#pragma once

#include <atomic>
#include <functional>

#include <QDeadlineTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "dialog/bilingual.h"
#include "dialog/dialog_host.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The small modal please-wait box (CWaitingBox): an animated picture, and progress for long
// work (steps done of the total, and the time left when the work knows it, counted down between
// reports). Work that reports progress can be stopped: Cancel or Escape asks it to stop after
// the exchange in flight. Its worker closes it, also when the worker ends before the box has
// appeared.
class CWaitingBox : public StyledDialog {
    Q_OBJECT

  public:
    // Told of the box once the work first tells its progress (a tour keeps a picture of it).
    using ProgressShown = std::function<void(QWidget& box)>;

    // Runs work on its own thread while the box is up; returns when both have ended.
    static void Run(QWidget* parent, LanguageFlag language,
                    const std::function<void(WorkProgress&)>& work,
                    ProgressShown progressShown = {});

  protected:
    void paintEvent(QPaintEvent* event) override;
    // Escape asks the work to stop; only the end of the work closes the box.
    void reject() override;

  private:
    CWaitingBox(QWidget* parent, LanguageFlag language);
    // secondsLeft: -1 when the work does not know it.
    Q_INVOKABLE void ShowProgress(int done, int total, int secondsLeft);
    Q_INVOKABLE void WorkEnded();
    void ShowTimeLeft();
    void RequestStop();

    LanguageFlag language_;
    QLabel* progress_;
    QPushButton* cancel_;
    QTimer animation_;
    QTimer countdown_;
    QString steps_;
    QDeadlineTimer workDone_;
    int frame_ = 0;
    bool ended_ = false;
    std::atomic<bool> stopRequested_{false};
    ProgressShown progressShown_;
};

}  // namespace hsq
