#pragma once

#include <QPainter>

#include "canvas/painter.h"

namespace hsq {

// Draws the canvas's Painter calls with a QPainter, pixel for pixel as the canvas counts them.
class QtPainter final : public Painter {
  public:
    explicit QtPainter(QPainter& painter) : painter_(painter) {}

    void DrawLine(Point from, Point to, const Pen& pen) override;
    void DrawRectOutline(const Rect& rect, const Pen& pen) override;
    void FillRect(const Rect& rect, Color color) override;
    void SetPixel(Point at, Color color) override;
    void DrawText(Point at, std::string_view text, const Font& font) override;
    int DefaultFontHeight() const override;

  private:
    void Use(const Pen& pen);

    QPainter& painter_;
};

}  // namespace hsq
