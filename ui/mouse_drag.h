#pragma once

#include <QPoint>
#include <QWidget>

namespace hsq {

// Drags with the left button from one point of the widget to another, as an operator's hand
// would: a press, moves in steps with the button held, a release. The events are delivered at
// once, so the widget has handled them all on return.
void DragWithLeftButton(QWidget& widget, QPoint from, QPoint to, int steps = 4,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace hsq
