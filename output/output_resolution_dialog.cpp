#include "output/output_resolution_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace hsq {

COutFormatSet::COutFormatSet(OutputResolutionLogic& logic, QWidget* parent)
    : StyledDialog(parent), logic_(logic), slider_(new QSlider(Qt::Vertical)) {
    using Caption = OutputResolutionLogic::Caption;
    constexpr auto& choices = OutputResolutionLogic::kChoices;
    setWindowTitle(QString::fromUtf8(logic_.CaptionText(Caption::Title)));
    // Position 0 at the top, and the arrow keys move the handle the way they point.
    slider_->setRange(0, static_cast<int>(choices.size()) - 1);
    slider_->setInvertedAppearance(true);
    slider_->setInvertedControls(true);
    slider_->setPageStep(1);
    slider_->setTickPosition(QSlider::TicksRight);
    auto* layout = new QGridLayout(this);
    layout->addWidget(slider_, 0, 0, static_cast<int>(choices.size()), 1);
    for (std::size_t position = 0; position < choices.size(); ++position) {
        layout->addWidget(new QLabel(QString::fromUtf8(choices[position].label)),
                          static_cast<int>(position), 1);
    }
    auto* set = new QPushButton(QString::fromUtf8(logic_.CaptionText(Caption::Set)));
    layout->addWidget(set, static_cast<int>(choices.size()), 0, 1, 2, Qt::AlignHCenter);
    setMinimumWidth(240);  // room for the title
    ShowSlider();
    connect(slider_, &QSlider::valueChanged, this,
            [this](int position) { logic_.OnSlider(position); });
    connect(set, &QPushButton::clicked, this, [this] {
        logic_.OnSet();
        ShowSlider();
    });
}

void COutFormatSet::ShowSlider() {
    const QSignalBlocker quiet(slider_);
    slider_->setValue(logic_.SliderPosition());
}

}  // namespace hsq
