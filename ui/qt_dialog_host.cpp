#include "ui/qt_dialog_host.h"

#include <QMessageBox>
#include <QTimer>

#include "ui/tour_recorder.h"
#include "ui/waiting_box_dialog.h"

namespace hsq {
namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtDialogHost::QtDialogHost(QWidget* parent, const LanguageFlag& language, TourRecorder* tour)
    : parent_(parent), language_(language), tour_(tour) {}

void QtDialogHost::ShowMessage(std::string_view caption, std::string_view text) {
    QMessageBox box(QMessageBox::Information, Text(caption), Text(text), QMessageBox::Ok, parent_);
    RunModal(box, "message");
}

bool QtDialogHost::AskYesNo(std::string_view caption, std::string_view text) {
    QMessageBox box(QMessageBox::Question, Text(caption), Text(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::No);
    if (tour_ != nullptr) {
        RunModal(box, "question");
        return true;
    }
    return box.exec() == QMessageBox::Yes;
}

void QtDialogHost::RunWorker(const std::function<void(WorkProgress&)>& work) {
    CWaitingBox::Run(parent_, language_, work);
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
