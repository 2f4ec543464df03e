#pragma once

#include "ui/styled_dialog.h"

namespace hsq {

// The About box.
class CAboutDlg : public StyledDialog {
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace hsq
