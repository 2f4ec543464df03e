#include "input/adc_edid_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace hsq {

CCAdcEdid::CCAdcEdid(AdcEdidLogic& logic, QWidget* parent) : StyledDialog(parent) {
    setWindowTitle("ADC/EDID");
    auto* row = new QHBoxLayout(this);
    for (int card = 0; card < 4; ++card) {
        auto* group = new QGroupBox(QString(QChar('A' + card)));
        auto* column = new QVBoxLayout(group);
        const auto add = [&](const char* caption, auto press) {
            auto* button = new QPushButton(caption);
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, press);
            column->addWidget(button);
        };
        add("ADC", [&logic, card] { logic.OnAdc(card); });
        add("VGA", [&logic, card] { logic.OnEdid(card, AdcEdidLogic::Edid::Vga); });
        add("DVI", [&logic, card] { logic.OnEdid(card, AdcEdidLogic::Edid::Dvi); });
        row->addWidget(group);
    }
}

}  // namespace hsq
