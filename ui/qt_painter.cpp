#include "ui/qt_painter.h"

#include <QFontMetrics>

namespace hsq {
namespace {

QColor ToQt(Color color) { return QColor(color.red, color.green, color.blue); }

}  // namespace

void QtPainter::Use(const Pen& pen) {
    QPen qtPen(ToQt(pen.color), pen.width);
    qtPen.setStyle(pen.style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    qtPen.setCapStyle(Qt::SquareCap);
    painter_.setPen(qtPen);
    painter_.setBrush(Qt::NoBrush);
}

void QtPainter::DrawLine(Point from, Point to, const Pen& pen) {
    Use(pen);
    painter_.drawLine(from.x, from.y, to.x, to.y);
}

void QtPainter::DrawRectOutline(const Rect& rect, const Pen& pen) {
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    Use(pen);
    // QPainter's outline of w x h covers w + 1 pixels; the canvas's lies on its border pixels.
    painter_.drawRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1);
}

void QtPainter::FillRect(const Rect& rect, Color color) {
    if (rect.Width() <= 0 || rect.Height() <= 0) return;
    painter_.fillRect(rect.left, rect.top, rect.Width(), rect.Height(), ToQt(color));
}

void QtPainter::SetPixel(Point at, Color color) {
    painter_.fillRect(at.x, at.y, 1, 1, ToQt(color));
}

void QtPainter::DrawText(Point at, std::string_view text, const Font& font, const Rect& clip) {
    // A reversed clip, as a parked window has, shows nothing; Qt would turn it round.
    if (clip.Width() <= 0 || clip.Height() <= 0) return;
    QFont qtFont = font.family.empty() ? defaultFont_ : QFont(QString::fromStdString(font.family));
    if (font.pixelHeight > 0) qtFont.setPixelSize(font.pixelHeight);
    // The QPainter goes back to its caller with the font and clip it came with.
    painter_.save();
    painter_.setClipRect(clip.left, clip.top, clip.Width(), clip.Height(), Qt::IntersectClip);
    painter_.setFont(qtFont);
    painter_.setPen(ToQt(font.color));
    const QFontMetrics metrics(qtFont);
    painter_.drawText(at.x, at.y + metrics.ascent(),
                      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    painter_.restore();
}

int QtPainter::DefaultFontHeight() const { return QFontMetrics(defaultFont_).height(); }

QPixmap PaintedPixmap(QSize size, const std::function<void(Painter&)>& draw) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QtPainter adapter(painter);
    draw(adapter);
    return pixmap;
}

}  // namespace hsq
