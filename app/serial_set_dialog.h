#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "app/serial_set_logic.h"
#include "ui/styled_dialog.h"

namespace hsq {

// The connection settings window; SerialSetLogic decides what is stored.
class CSerialSet : public StyledDialog {
  public:
    CSerialSet(SerialSetLogic& logic, QWidget* parent = nullptr);

  private:
    QString Caption(SerialSetLogic::Caption caption) const;
    void ShowFields();

    SerialSetLogic& logic_;
    QRadioButton* serial_;
    QRadioButton* network_;
    QComboBox* portName_;
    QPlainTextEdit* portList_;
    QLineEdit* address_;
    QLineEdit* port_;
};

}  // namespace hsq
