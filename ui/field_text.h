#pragma once

#include <QLineEdit>
#include <QString>
#include <array>

namespace hsq {

// Setting an unchanged text would move the cursor of a field the operator is typing in.
inline void ShowText(QLineEdit* field, const QString& text) {
    if (field->text() != text) field->setText(text);
}

// A window's W, H, X and Y fields, leaving alone the one being typed in.
inline void ShowRectangle(const std::array<QLineEdit*, 4>& fields,
                          const std::array<int, 4>& values, const QLineEdit* typing) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i] != typing) ShowText(fields[i], QString::number(values[i]));
    }
}

}  // namespace hsq
