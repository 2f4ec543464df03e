#pragma once

#include <QButtonGroup>

#include "modes/mode_get_logic.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The display mode window: sixteen mode buttons in four columns, then Load, Export and Import.
// Each control goes to one handler of ModeGetLogic.
class CModeGet : public StyledDialog {
  public:
    CModeGet(ModeGetLogic& logic, QWidget* parent = nullptr);

  private:
    QWidget* ModeButtons();
    QWidget* CommandButtons();

    ModeGetLogic& logic_;
    QButtonGroup modes_;
};

}  // namespace hsq
