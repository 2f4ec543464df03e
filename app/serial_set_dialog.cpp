#include "app/serial_set_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace hsq {

CSerialSet::CSerialSet(SerialSetLogic& logic, QWidget* parent)
    : StyledDialog(parent), logic_(logic) {
    using C = SerialSetLogic::Caption;
    setWindowTitle(Caption(C::Title));
    auto* layout = new QVBoxLayout(this);

    auto* choice = new QGroupBox(Caption(C::ChoiceGroup));
    auto* choiceRow = new QHBoxLayout(choice);
    serial_ = new QRadioButton(Caption(C::SerialChoice));
    network_ = new QRadioButton(Caption(C::NetworkChoice));
    choiceRow->addWidget(serial_);
    choiceRow->addWidget(network_);
    layout->addWidget(choice);

    auto* serialGroup = new QGroupBox(Caption(C::SerialGroup));
    auto* serialGrid = new QGridLayout(serialGroup);
    portName_ = new QComboBox;
    portName_->setEditable(true);
    portName_->setMinimumWidth(170);
    for (const std::string& name : logic_.PortNameChoices()) {
        portName_->addItem(QString::fromStdString(name));
    }
    portList_ = new QPlainTextEdit;
    portList_->setReadOnly(true);
    portList_->setFixedHeight(70);
    auto* search = new QPushButton(Caption(C::PortSearch));
    serialGrid->addWidget(new QLabel(Caption(C::SerialLabel)), 0, 0);
    serialGrid->addWidget(portName_, 0, 1);
    serialGrid->addWidget(search, 0, 2);
    serialGrid->addWidget(portList_, 1, 0, 1, 3);
    layout->addWidget(serialGroup);

    auto* networkGroup = new QGroupBox(Caption(C::NetworkGroup));
    auto* networkGrid = new QGridLayout(networkGroup);
    // Whatever is typed stays as typed; OK says what is wrong with it.
    address_ = new QLineEdit;
    port_ = new QLineEdit;
    port_->setReadOnly(true);
    networkGrid->addWidget(new QLabel(Caption(C::AddressLabel)), 0, 0);
    networkGrid->addWidget(address_, 0, 1);
    networkGrid->addWidget(new QLabel(Caption(C::PortLabel)), 1, 0);
    networkGrid->addWidget(port_, 1, 1);
    layout->addWidget(networkGroup);

    auto* buttons = new QDialogButtonBox;
    buttons->addButton(Caption(C::Ok), QDialogButtonBox::AcceptRole);
    buttons->addButton(Caption(C::Cancel), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);

    ShowFields();
    connect(serial_, &QRadioButton::clicked, this, [this] { logic_.OnSerialChoice(); });
    connect(network_, &QRadioButton::clicked, this, [this] { logic_.OnNetworkChoice(); });
    connect(search, &QPushButton::clicked, this, [this] {
        logic_.OnGetComPorts();
        portList_->setPlainText(QString::fromStdString(logic_.PortList()));
    });
    connect(portName_, &QComboBox::currentTextChanged, this,
            [this](const QString& text) { logic_.OnPortNameEdited(text.toStdString()); });
    connect(address_, &QLineEdit::textEdited, this,
            [this](const QString& text) { logic_.OnAddressEdited(text.toStdString()); });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (logic_.OnOk()) {
            accept();
        } else {
            address_->setFocus();
            address_->selectAll();
        }
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

QString CSerialSet::Caption(SerialSetLogic::Caption caption) const {
    const auto text = SerialSetLogic::CaptionText(caption, logic_.Language());
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void CSerialSet::ShowFields() {
    (logic_.SerialChosen() ? serial_ : network_)->setChecked(true);
    // The list holds the port shown, so the open list marks it too.
    portName_->setCurrentIndex(portName_->findText(QString::fromStdString(logic_.PortName())));
    address_->setText(QString::fromStdString(logic_.Address()));
    port_->setText(QString::fromStdString(logic_.Port()));
}

}  // namespace hsq
