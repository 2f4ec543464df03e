#include "ui/mouse_drag.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <algorithm>

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

}  // namespace hsq
