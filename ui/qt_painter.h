#pragma once

#include <QPainter>
#include <QPixmap>
#include <functional>

#include "canvas/painter.h"

namespace hsq {

// Draws the canvas's Painter calls with a QPainter, pixel for pixel as the canvas counts them.
class QtPainter final : public Painter {
  public:
    // The painter's font as it comes, the window's, is the default interface font.
    explicit QtPainter(QPainter& painter) : painter_(painter), defaultFont_(painter.font()) {}

    void DrawLine(Point from, Point to, const Pen& pen) override;
    void DrawRectOutline(const Rect& rect, const Pen& pen) override;
    void FillRect(const Rect& rect, Color color) override;
    void SetPixel(Point at, Color color) override;
    void DrawText(Point at, std::string_view text, const Font& font, const Rect& clip) override;
    int DefaultFontHeight() const override;

  private:
    void Use(const Pen& pen);

    QPainter& painter_;
    const QFont defaultFont_;
};

// A picture of the given size drawn through the Painter interface; transparent where nothing is
// drawn.
QPixmap PaintedPixmap(QSize size, const std::function<void(Painter&)>& draw);

}  // namespace hsq
