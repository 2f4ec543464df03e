#include "canvas/layout_canvas_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "ui/qt_painter.h"

namespace hsq {
namespace {

unsigned ModifiersOf(Qt::KeyboardModifiers modifiers) {
    unsigned bits = 0;
    if (modifiers & Qt::ShiftModifier) bits |= kShiftModifier;
    if (modifiers & Qt::ControlModifier) bits |= kControlModifier;
    return bits;
}

MouseButton ButtonOf(Qt::MouseButton button) {
    if (button == Qt::RightButton) return MouseButton::Right;
    if (button == Qt::MiddleButton) return MouseButton::Middle;
    return MouseButton::Left;
}

MouseEvent EventOf(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {{p.x(), p.y()}, ButtonOf(event->button()), ModifiersOf(event->modifiers())};
}

Key KeyOf(int key) {
    switch (key) {
        case Qt::Key_Left: return Key::Left;
        case Qt::Key_Right: return Key::Right;
        case Qt::Key_Up: return Key::Up;
        case Qt::Key_Down: return Key::Down;
        case Qt::Key_PageUp: return Key::PageUp;
        case Qt::Key_PageDown: return Key::PageDown;
        default: return Key::Other;
    }
}

Qt::CursorShape QtCursor(CursorShape shape) {
    switch (shape) {
        case CursorShape::Move: return Qt::SizeAllCursor;
        case CursorShape::SizeNorthWestSouthEast: return Qt::SizeFDiagCursor;
        case CursorShape::SizeNorthSouth: return Qt::SizeVerCursor;
        case CursorShape::SizeNorthEastSouthWest: return Qt::SizeBDiagCursor;
        case CursorShape::SizeWestEast: return Qt::SizeHorCursor;
        case CursorShape::Cross: return Qt::CrossCursor;
        case CursorShape::Arrow: break;
    }
    return Qt::ArrowCursor;
}

}  // namespace

LayoutCanvasWidget::LayoutCanvasWidget(LayoutObserver* owner, QWidget* parent)
    : QWidget(parent), own_(std::make_unique<CanvasModel>()), model_(own_.get()) {
    Attach();
    SetOwner(owner);
}

LayoutCanvasWidget::LayoutCanvasWidget(CanvasModel& model, QWidget* parent)
    : QWidget(parent), model_(&model) {
    Attach();
}

void LayoutCanvasWidget::Attach() {
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    model_->SetView(this);
}

LayoutCanvasWidget::~LayoutCanvasWidget() {
    model_->SetView(nullptr);
}

void LayoutCanvasWidget::SetOwner(LayoutObserver* owner) {
    model_->OnNotice([owner](LayoutNotice notice, const std::vector<CLayoutItem*>& items) {
        if (owner != nullptr) owner->OnLayoutNotice(notice, items);
    });
}

void LayoutCanvasWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // The editor draws in canvas pixels; the window shows them from the scroll position on.
    const Point scroll = editor().ScrollPosition();
    painter.translate(-scroll.x, -scroll.y);
    QtPainter adapter(painter);
    editor().Draw(adapter);
}

void LayoutCanvasWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    editor().SetClientSize({width(), height()});
}

void LayoutCanvasWidget::mousePressEvent(QMouseEvent* event) {
    setFocus();
    editor().OnMousePress(EventOf(event));
}

void LayoutCanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    const MouseEvent move = EventOf(event);
    if (event->buttons() & Qt::LeftButton) editor().OnMouseMove(move);
    ShowCursorAt(move.position);
}

void LayoutCanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
    editor().OnMouseRelease(EventOf(event));
}

void LayoutCanvasWidget::keyPressEvent(QKeyEvent* event) {
    if (!editor().OnKeyPress({KeyOf(event->key()), ModifiersOf(event->modifiers())})) {
        QWidget::keyPressEvent(event);
    }
}

// Control and the wheel zoom, as drawing programs do; the wheel alone scrolls the zoomed
// canvas, across with shift or a sideways wheel.
void LayoutCanvasWidget::wheelEvent(QWheelEvent* event) {
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (delta == 0) return QWidget::wheelEvent(event);
    if (event->modifiers() & Qt::ControlModifier) {
        editor().SetZoom(editor().Zoom() * (delta > 0 ? 1.25 : 0.8));
        return;
    }
    const int step = (delta > 0 ? -1 : 1) * CLayoutEditor::kScrollStep * 4;
    const Point scroll = editor().ScrollPosition();
    if (angle.y() == 0 || (event->modifiers() & Qt::ShiftModifier)) {
        editor().SetScrollPosition({scroll.x + step, scroll.y});
    } else {
        editor().SetScrollPosition({scroll.x, scroll.y + step});
    }
}

void LayoutCanvasWidget::ShowCursorAt(Point client) {
    setCursor(QtCursor(editor().CursorAt(client)));
}

}  // namespace hsq
