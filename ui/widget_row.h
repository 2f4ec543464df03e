#pragma once

#include <QHBoxLayout>
#include <QWidget>
#include <initializer_list>

namespace hsq {

// The widgets side by side from the left, the rest of the width left empty.
inline QHBoxLayout* WidgetRow(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets) row->addWidget(widget);
    row->addStretch();
    return row;
}

}  // namespace hsq
