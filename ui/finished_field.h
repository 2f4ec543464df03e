#pragma once

#include <QLineEdit>
#include <QObject>
#include <functional>
#include <initializer_list>
#include <string>

namespace hsq {

// Hands a field's text to its window's logic once the operator has finished it: Enter, or
// leaving the field after typing in it. Never keystroke by keystroke, where 1937 would be taken
// as 193 on the way. A box shown by the logic takes the focus away again; the modified flag
// keeps that from handing the same text over twice.
inline void TakeWhenFinished(QLineEdit* field, QObject* context,
                             std::function<void(const std::string&)> take) {
    QObject::connect(field, &QLineEdit::editingFinished, context, [field, take] {
        if (!field->isModified()) return;
        field->setModified(false);
        take(field->text().toStdString());
    });
}

// Before a Set or Save acts: what is still being typed in these fields is taken first, so that
// what a field shows is what is sent.
inline void TakeUnfinished(std::initializer_list<QLineEdit*> fields) {
    for (QLineEdit* field : fields) {
        if (field->isModified()) emit field->editingFinished();
    }
}

}  // namespace hsq
