#pragma once

#include <functional>

#include <QLabel>
#include <QTimer>

#include "dialog/bilingual.h"
#include "dialog/dialog_host.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The small modal please-wait box (CWaitingBox): an animated picture, and progress for long
// work (steps done of the total, and the time left when the work knows it). Its worker closes
// it, also when the worker ends before the box has appeared.
class CWaitingBox : public StyledDialog {
    Q_OBJECT

  public:
    // Runs work on its own thread while the box is up; returns when both have ended.
    static void Run(QWidget* parent, LanguageFlag language,
                    const std::function<void(WorkProgress&)>& work);

  protected:
    void paintEvent(QPaintEvent* event) override;
    // Escape does not close it: only the end of the work does.
    void reject() override {
        if (ended_) StyledDialog::reject();
    }

  private:
    CWaitingBox(QWidget* parent, LanguageFlag language);
    // secondsLeft: -1 when the work does not know it.
    Q_INVOKABLE void ShowProgress(int done, int total, int secondsLeft);
    Q_INVOKABLE void WorkEnded();

    LanguageFlag language_;
    QLabel* progress_;
    QTimer animation_;
    int frame_ = 0;
    bool ended_ = false;
};

}  // namespace hsq
