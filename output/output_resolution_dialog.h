#pragma once

#include <QSlider>

#include "output/output_resolution_logic.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The resolution window: a vertical slider with a resolution beside each position, and Set.
class COutFormatSet : public StyledDialog {
  public:
    COutFormatSet(OutputResolutionLogic& logic, QWidget* parent = nullptr);

  private:
    void ShowSlider();

    OutputResolutionLogic& logic_;
    QSlider* slider_;
};

}  // namespace hsq
