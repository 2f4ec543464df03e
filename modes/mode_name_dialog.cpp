#include "modes/mode_name_dialog.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "ui/qt_text.h"

namespace hsq {

CCSetModeName::CCSetModeName(ModeNameLogic& logic, QWidget* parent) : StyledDialog(parent) {
    using C = ModeNameLogic::Caption;
    setWindowTitle(Text(logic.CaptionText(C::Title)));
    auto* layout = new QHBoxLayout(this);
    auto* name = new QLineEdit(QString::fromStdString(logic.Name()));
    name->setMinimumWidth(220);
    auto* save = new QPushButton(Text(logic.CaptionText(C::Save)));
    save->setDefault(true);
    layout->addWidget(name);
    layout->addWidget(save);
    connect(save, &QPushButton::clicked, this, [this, &logic, name] {
        logic.OnSave(name->text().toStdString());
        accept();
    });
}

}  // namespace hsq
