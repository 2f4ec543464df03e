#include "ui/qt_dialog_host.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include "ui/qt_text.h"
#include "ui/qt_translations.h"
#include "ui/tour_recorder.h"
#include "ui/waiting_box_dialog.h"

namespace hsq {
namespace {

// Boxes are widgets, and widgets live on the window thread alone: a call from a worker is
// handed over to it, and the worker waits for the answer.
template <typename Work>
auto OnWindowThread(Work&& work) {
    QCoreApplication* application = QCoreApplication::instance();
    if (QThread::currentThread() == application->thread()) return work();
    decltype(work()) result{};
    QMetaObject::invokeMethod(application, [&] { result = work(); }, Qt::BlockingQueuedConnection);
    return result;
}

// A box is as wide as its message, which may leave its caption cut in the title bar.
void FitCaption(QMessageBox& box) {
    constexpr int kTitleBarButtons = 120;
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) return;
    const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarButtons;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

}  // namespace

QtDialogHost::QtDialogHost(QWidget* parent, const LanguageFlag& language, TourRecorder* tour)
    : parent_(parent), language_(language), tour_(tour) {}

// Over the waiting box when a worker asks, so that the box never hides behind it.
QWidget* QtDialogHost::Owner() const {
    QWidget* modal = QApplication::activeModalWidget();
    return modal != nullptr ? modal : parent_;
}

void QtDialogHost::ShowMessage(std::string_view caption, std::string_view text) {
    OnWindowThread([&] {
        FollowLanguage(language_);
        QMessageBox box(QMessageBox::Information, Text(caption), Text(text), QMessageBox::Ok,
                        Owner());
        FitCaption(box);
        return RunModal(box, "message");
    });
}

bool QtDialogHost::AskYesNo(std::string_view caption, std::string_view text) {
    return OnWindowThread([&] {
        FollowLanguage(language_);
        QMessageBox box(QMessageBox::Question, Text(caption), Text(text),
                        QMessageBox::Yes | QMessageBox::No, Owner());
        box.setDefaultButton(QMessageBox::No);
        FitCaption(box);
        if (tour_ != nullptr) {
            RunModal(box, "question");
            return true;
        }
        return box.exec() == QMessageBox::Yes;
    });
}

void QtDialogHost::RunWorker(const std::function<void(WorkProgress&)>& work) {
    OnWindowThread([&] {
        CWaitingBox::Run(Owner(), language_, work);
        return true;
    });
}

int QtDialogHost::RunModal(QDialog& dialog, const QString& name) {
    if (tour_ != nullptr) {
        QTimer::singleShot(0, &dialog, [this, &dialog, name] {
            tour_->Save(dialog, name);
            dialog.reject();
        });
    }
    return dialog.exec();
}

}  // namespace hsq
