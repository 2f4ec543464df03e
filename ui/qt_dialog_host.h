#pragma once

#include <QDialog>
#include <QString>

#include "dialog/bilingual.h"
#include "dialog/dialog_host.h"

namespace hsq {

class TourRecorder;

// Real boxes for the operator, in the operator's language, from any thread. On a tour each box
// is saved as a picture and answered as an operator going ahead would: OK, and Yes to every
// question.
class QtDialogHost final : public DialogHost {
  public:
    QtDialogHost(QWidget* parent, const LanguageFlag& language, TourRecorder* tour = nullptr);

    void ShowMessage(std::string_view caption, std::string_view text) override;
    bool AskYesNo(std::string_view caption, std::string_view text) override;
    void RunWorker(const std::function<void(WorkProgress&)>& work) override;

    // Runs a modal dialog; on a tour it is saved under name and closed.
    int RunModal(QDialog& dialog, const QString& name);
    TourRecorder* Tour() const { return tour_; }

  private:
    QWidget* Owner() const;

    QWidget* parent_;
    const LanguageFlag& language_;
    TourRecorder* tour_;
};

}  // namespace hsq
