#pragma once

#include <array>

#include <QDialog>
#include <QFileDialog>
#include <QString>

#include "dialog/bilingual.h"
#include "dialog/dialog_host.h"

namespace hsq {

class TourRecorder;

// Real boxes for the operator, in the operator's language, from any thread. On a tour each box
// is saved as a picture and answered as an operator going ahead would: OK, and Yes to every
// question; a file dialog chooses nothing, so that a tour never reads or writes the operator's
// files.
class QtDialogHost final : public DialogHost {
  public:
    QtDialogHost(QWidget* parent, const LanguageFlag& language, TourRecorder* tour = nullptr);

    void ShowMessage(std::string_view caption, std::string_view text) override;
    bool AskYesNo(std::string_view caption, std::string_view text) override;
    void RunWorker(const std::function<void(WorkProgress&)>& work) override;
    std::string AskSaveFile(std::string_view caption, std::string_view proposedName,
                            std::span<const FileFilter> filters) override;
    std::string AskOpenFile(std::string_view caption, std::string_view folder,
                            std::span<const FileFilter> filters) override;

    // Runs a modal dialog; on a tour it is saved under name and closed.
    int RunModal(QDialog& dialog, const QString& name);
    TourRecorder* Tour() const { return tour_; }

  private:
    QWidget* Owner() const;
    // Saving, proposedName is the file proposed; opening, the folder to start in.
    std::string AskFile(QFileDialog::AcceptMode mode, std::string_view caption,
                        std::string_view proposedName, std::span<const FileFilter> filters);

    QWidget* parent_;
    const LanguageFlag& language_;
    TourRecorder* tour_;
    std::array<bool, 2> waitingBoxKept_{};  // by language, on a tour
};

}  // namespace hsq
