#include "app/card_area_widget.h"

#include <QMouseEvent>
#include <QPainter>

namespace hsq {
namespace {

Point PointOf(const QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    return {p.x(), p.y()};
}

QRect RectOf(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// Our own artwork: a card front with its letter, a row of connectors and a status lamp, red
// while the processor does not answer.
void DrawCard(QPainter& painter, const QRect& rect, const QString& letter, bool output,
              bool silent) {
    const QColor face = output ? QColor("#27496d") : QColor("#2f6b4f");
    painter.setPen(QPen(QColor("#111820"), 1));
    painter.setBrush(face);
    painter.drawRoundedRect(rect.adjusted(0, 0, -1, -1), 4, 4);
    painter.setBrush(QColor("#c9d3de"));
    for (int i = 0; i < 4; ++i) {
        painter.drawRect(rect.left() + 86 + i * 28, rect.top() + 13, 18, 14);
    }
    painter.setBrush(silent ? QColor("#e0473f") : QColor("#6fe07a"));
    painter.drawEllipse(QPoint(rect.right() - 14, rect.center().y()), 4, 4);
    painter.setPen(Qt::white);
    QFont font("Verdana", 11, QFont::Bold);
    painter.setFont(font);
    painter.drawText(QRect(rect.left() + 8, rect.top(), 76, rect.height()),
                     Qt::AlignVCenter | Qt::AlignLeft, letter);
}

void DrawHandles(QPainter& painter, const QRect& rect) {
    painter.setPen(QPen(QColor("#f5a623"), 1, Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(-2, -2, 1, 1));
    painter.setPen(Qt::black);
    painter.setBrush(QColor("#f5a623"));
    for (const QPoint corner : {rect.topLeft(), rect.topRight(), rect.bottomLeft(),
                                rect.bottomRight(), QPoint(rect.center().x(), rect.top()),
                                QPoint(rect.center().x(), rect.bottom())}) {
        painter.drawRect(QRect(corner - QPoint(3, 3), QSize(6, 6)));
    }
}

}  // namespace

CardAreaWidget::CardAreaWidget(MainWindowLogic& logic, MainWindowLogic::Area area,
                               QWidget* parent)
    : QWidget(parent), logic_(logic), area_(area) {
    setFixedSize(MainWindowLogic::kAreaWidth, MainWindowLogic::kAreaHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

const CardPictureArea& CardAreaWidget::Pictures() const {
    return area_ == MainWindowLogic::Area::Input ? logic_.InputPictures() : logic_.OutputPictures();
}

QString CardAreaWidget::Letter(int index) const {
    const char first = area_ == MainWindowLogic::Area::Input ? 'A' : 'K';
    const QString kind = area_ == MainWindowLogic::Area::Input ? "IN-" : "OUT-";
    return kind + QChar(first + index);
}

void CardAreaWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor("#dde3ea"));
    const CardPictureArea& pictures = Pictures();
    for (int i = 0; i < pictures.Count(); ++i) {
        if (!pictures.Visible(i)) continue;
        DrawCard(painter, RectOf(pictures.Picture(i)), Letter(i),
                 area_ == MainWindowLogic::Area::Output, logic_.State().processorSilent);
    }
    if (logic_.HandlesShownIn() != area_) return;
    for (int i = 0; i < pictures.Count(); ++i) {
        if (pictures.Selected(i)) DrawHandles(painter, RectOf(pictures.Picture(i)));
    }
    if (const auto frame = pictures.Frame()) {
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(RectOf(*frame));
    }
}

void CardAreaWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    logic_.OnLeftButtonDown(area_, PointOf(event));
    emit Changed();
}

void CardAreaWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) return;
    logic_.OnMouseMove(PointOf(event));
    emit Changed();
}

void CardAreaWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    logic_.OnLeftButtonUp(PointOf(event));
    emit Changed();
}

void CardAreaWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    logic_.OnDoubleClick(area_);
    emit Changed();
}

}  // namespace hsq
