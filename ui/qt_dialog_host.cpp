#include "ui/qt_dialog_host.h"

#include <QApplication>
#include <QFileInfo>
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

// Qt's form of a filter list: "INI Files (*.ini);;All Files (*)".
QString QtFilters(std::span<const FileFilter> filters) {
    QStringList list;
    for (const FileFilter& filter : filters) {
        // Here "*.*" would miss every name without a dot.
        const QString pattern = filter.pattern == "*.*" ? QString("*") : Text(filter.pattern);
        list << QString("%1 (%2)").arg(Text(filter.name), pattern);
    }
    return list.join(";;");
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

// On a tour, the first waiting box that tells its progress in each language is kept as a
// picture, with its steps, time left and Cancel.
void QtDialogHost::RunWorker(const std::function<void(WorkProgress&)>& work) {
    OnWindowThread([&] {
        CWaitingBox::ProgressShown keep;
        if (tour_ != nullptr && !waitingBoxKept_[language_]) {
            keep = [this, language = language_](QWidget& box) {
                waitingBoxKept_[language] = true;
                tour_->Save(box, language == kChinese ? "waiting-box-zh" : "waiting-box-en");
            };
        }
        CWaitingBox::Run(Owner(), language_, work, std::move(keep));
        return true;
    });
}

std::string QtDialogHost::AskSaveFile(std::string_view caption, std::string_view proposedName,
                                      std::span<const FileFilter> filters) {
    return AskFile(QFileDialog::AcceptSave, caption, proposedName, filters);
}

std::string QtDialogHost::AskOpenFile(std::string_view caption, std::string_view folder,
                                      std::span<const FileFilter> filters) {
    return AskFile(QFileDialog::AcceptOpen, caption, folder, filters);
}

// Qt's own dialog rather than the desktop's: it speaks the operator's language, asks before
// overwriting and can be saved as a picture on a tour.
std::string QtDialogHost::AskFile(QFileDialog::AcceptMode mode, std::string_view caption,
                                  std::string_view proposedName,
                                  std::span<const FileFilter> filters) {
    return OnWindowThread([&] {
        FollowLanguage(language_);
        const QString start = mode == QFileDialog::AcceptOpen ? Text(proposedName) : QString();
        QFileDialog dialog(Owner(), Text(caption), start, QtFilters(filters));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(mode);
        const bool save = mode == QFileDialog::AcceptSave;
        dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        if (save) {
            dialog.selectFile(Text(proposedName));
            dialog.setDefaultSuffix(QFileInfo(Text(proposedName)).suffix());
        }
        if (RunModal(dialog, save ? "save-file" : "open-file") != QDialog::Accepted ||
            dialog.selectedFiles().isEmpty())
            return std::string();
        return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
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
