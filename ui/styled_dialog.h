#pragma once

#include <QDialog>

namespace hsq {

// The framed look every window of the program shares. No behaviour hangs on it.
class StyledDialog : public QDialog {
  public:
    explicit StyledDialog(QWidget* parent = nullptr);
};

}  // namespace hsq
