#pragma once

#include <QDialog>

namespace hsq {

// The framed look every window of the program shares. No behaviour hangs on it.
class StyledDialog : public QDialog {
  public:
    explicit StyledDialog(QWidget* parent = nullptr);

  protected:
    // A narrow window is widened to its title, which the title bar would otherwise cut.
    void showEvent(QShowEvent* event) override;
};

}  // namespace hsq
