#include "ui/mouse_drag.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

namespace hsq {
namespace {

void Send(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held, Qt::KeyboardModifiers modifiers) {
    const QPointF local(at);
    QMouseEvent event(type, local, widget.mapToGlobal(local), button, held, modifiers);
    QCoreApplication::sendEvent(&widget, &event);
}

}  // namespace

void DragWithLeftButton(QWidget& widget, QPoint from, QPoint to, int steps,
                        Qt::KeyboardModifiers modifiers) {
    steps = std::max(steps, 1);
    Send(widget, QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, modifiers);
    for (int step = 1; step <= steps; ++step) {
        const QPoint at = from + (to - from) * step / steps;
        Send(widget, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton, modifiers);
    }
    Send(widget, QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, modifiers);
}

void TurnWheel(QWidget& widget, QPoint at, int notches, Qt::KeyboardModifiers modifiers) {
    constexpr int kNotch = 120;  // eighths of a degree, as Qt counts a wheel's step
    const QPointF local(at);
    for (int i = 0; i < std::abs(notches); ++i) {
        QWheelEvent event(local, widget.mapToGlobal(local), {}, {0, notches > 0 ? kNotch : -kNotch},
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&widget, &event);
    }
}

}  // namespace hsq
