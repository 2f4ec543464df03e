#pragma once

#include "input/adc_edid_logic.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The ADC/EDID window: three buttons under each input card's letter.
class CCAdcEdid final : public StyledDialog {
  public:
    explicit CCAdcEdid(AdcEdidLogic& logic, QWidget* parent = nullptr);
};

}  // namespace hsq
