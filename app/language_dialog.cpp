#include "app/language_dialog.h"

#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace hsq {

CLanguageSet::CLanguageSet(LanguageSetLogic& logic, QWidget* parent)
    : StyledDialog(parent), logic_(logic) {
    auto* layout = new QVBoxLayout(this);
    chinese_ = new QRadioButton(Text(LanguageSetLogic::kChineseOption));
    english_ = new QRadioButton(Text(LanguageSetLogic::kEnglishOption));
    layout->addWidget(chinese_);
    layout->addWidget(english_);
    setMinimumWidth(240);
    ShowChoice();
    connect(chinese_, &QRadioButton::clicked, this, [this] {
        logic_.OnChinese();
        ShowChoice();
    });
    connect(english_, &QRadioButton::clicked, this, [this] {
        logic_.OnEnglish();
        ShowChoice();
    });
}

void CLanguageSet::ShowChoice() {
    setWindowTitle(Text(logic_.Title()));
    (logic_.ChineseChosen() ? chinese_ : english_)->setChecked(true);
}

}  // namespace hsq
