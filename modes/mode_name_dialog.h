#pragma once

#include "modes/mode_name_logic.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The window that asks for a display mode's name; Enter saves.
class CCSetModeName : public StyledDialog {
  public:
    CCSetModeName(ModeNameLogic& logic, QWidget* parent = nullptr);
};

}  // namespace hsq
