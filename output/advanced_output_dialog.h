#pragma once

#include <QButtonGroup>
#include <QPushButton>
#include <functional>

#include "output/advanced_output_logic.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The advanced output settings window: synchronisation, HDMI reset and the application mode.
// Each button goes to one handler of AdvancedOutputLogic.
class CCOutAdvanced : public StyledDialog {
  public:
    CCOutAdvanced(AdvancedOutputLogic& logic, QWidget* parent = nullptr);

  private:
    using Caption = AdvancedOutputLogic::Caption;

    QString CaptionOf(Caption caption) const;
    QPushButton* Button(Caption caption, const std::function<void()>& handler);
    QWidget* SynchronizationGroup();
    QWidget* ResetGroup();
    QWidget* ApplicationModeGroup();
    // The record's mode, also after a change the operator declined.
    void ShowCheckedMode();

    AdvancedOutputLogic& logic_;
    QButtonGroup modes_;
};

}  // namespace hsq
