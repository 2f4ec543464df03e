#pragma once

#include <QPoint>
#include <QWidget>

namespace hsq {

// The mouse of an operator's hand, for tests and tours. The events are delivered at once, so the
// widget has handled them all on return.

// Drags with the left button from one point of the widget to another: a press, moves in steps
// with the button held, a release.
void DragWithLeftButton(QWidget& widget, QPoint from, QPoint to, int steps = 4,
                        Qt::KeyboardModifiers modifiers = Qt::NoModifier);

// Turns the wheel over a point by whole notches: away from the operator when positive.
void TurnWheel(QWidget& widget, QPoint at, int notches,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace hsq
