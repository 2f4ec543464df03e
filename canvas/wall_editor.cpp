#include "canvas/wall_editor.h"

#include <string>

#include "canvas/raised_face.h"

namespace hsq {
namespace {

constexpr Color kLabelGrey{169, 169, 169};
constexpr Pen kDotPen{kBlack, 2, PenStyle::Solid};
constexpr Pen kWallPen{kWhite, 2, PenStyle::Dotted};
// Only every fifth grid point is marked.
constexpr int kDotEvery = 5;

std::string ScreenLabel(int number) {
    std::string label = "S";
    label += std::to_string(number);
    return label;
}

}  // namespace

void CWallEditor::DrawBackground(Painter& painter) { DrawRaisedFace(painter, DrawingArea()); }

void CWallEditor::DrawGrid(Painter& painter) {
    DrawGridDots(painter);
    painter.DrawRectOutline({0, 0, wall_.layoutWidth, wall_.layoutHeight}, kWallPen);
    const Font font{"", painter.DefaultFontHeight(), kLabelGrey};
    painter.DrawText({1, 1}, ScreenLabel(1), font);
    if (wall_.screenColumns == 0 || wall_.screenRows == 0) return;
    DrawScreenDivisions(painter, font);
}

void CWallEditor::DrawGridDots(Painter& painter) const {
    const Size paper = VirtualSize();
    const Size grid = GridSize();
    const int columns = paper.width / grid.width;
    const int rows = paper.height / grid.height;
    for (int i = 1; i <= columns / kDotEvery; ++i) {
        const int x = ToPixel(grid.width * kDotEvery * i * Zoom());
        for (int j = 1; j <= rows / kDotEvery; ++j) {
            const int y = ToPixel(grid.height * kDotEvery * j * Zoom());
            painter.DrawLine({x, y}, {x, y}, kDotPen);
        }
    }
}

void CWallEditor::DrawScreenDivisions(Painter& painter, const Font& font) const {
    const double cellWidth = static_cast<double>(wall_.layoutWidth) / wall_.screenColumns;
    const double cellHeight = static_cast<double>(wall_.layoutHeight) / wall_.screenRows;
    if (wall_.screenColumns == 2 && wall_.screenRows == 2) {
        DrawQuarters(painter, font, cellWidth, cellHeight);
        return;
    }
    // Screens after the first are labelled along the top edge and down the left edge only.
    for (int i = 1; i < wall_.screenColumns; ++i) {
        const int x = static_cast<int>(i * cellWidth);
        painter.DrawText({x, 0}, ScreenLabel(i + 1), font);
        painter.DrawLine({x, 0}, {x, wall_.layoutHeight}, kWallPen);
    }
    for (int j = 1; j < wall_.screenRows; ++j) {
        const int y = static_cast<int>(j * cellHeight);
        painter.DrawText({0, y}, ScreenLabel(j + 1), font);
        painter.DrawLine({0, y}, {wall_.layoutWidth, y}, kWallPen);
    }
}

void CWallEditor::DrawQuarters(Painter& painter, const Font& font, double cellWidth,
                               double cellHeight) const {
    const int x = static_cast<int>(cellWidth);
    const int y = static_cast<int>(cellHeight);
    painter.DrawText({x, 0}, ScreenLabel(2), font);
    painter.DrawText({0, y}, ScreenLabel(3), font);
    painter.DrawText({x, y}, ScreenLabel(4), font);
    painter.DrawLine({x, 0}, {x, wall_.layoutHeight}, kWallPen);
    painter.DrawLine({0, y}, {wall_.layoutWidth, y}, kWallPen);
}

}  // namespace hsq
