#pragma once

#include <QRadioButton>

#include "app/language.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The language window: a choice takes effect at once; there is no OK button.
class CLanguageSet : public StyledDialog {
  public:
    CLanguageSet(LanguageSetLogic& logic, QWidget* parent = nullptr);

  private:
    void ShowChoice();

    LanguageSetLogic& logic_;
    QRadioButton* chinese_;
    QRadioButton* english_;
};

}  // namespace hsq
