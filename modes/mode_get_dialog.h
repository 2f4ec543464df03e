#pragma once

#include <QButtonGroup>
#include <QLabel>

#include "modes/mode_get_logic.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The display mode window: the card the modes show, sixteen mode buttons with their layouts in
// four columns, then Load, Export and Import. Each control goes to one handler of ModeGetLogic.
class CModeGet : public StyledDialog {
  public:
    CModeGet(ModeGetLogic& logic, QWidget* parent = nullptr);

  private:
    QWidget* ModeButtons();
    QWidget* CommandButtons();
    void ShowPreviews();

    ModeGetLogic& logic_;
    QLabel* card_;
    QButtonGroup modes_;
};

}  // namespace hsq
