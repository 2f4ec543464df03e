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
    const Rect outline{0, 0, Zoomed(wall_.layoutWidth), Zoomed(wall_.layoutHeight)};
    painter.DrawRectOutline(outline, kWallPen);
    const Font font{"", painter.DefaultFontHeight(), kLabelGrey};
    DrawScreenLabel(painter, font, {1, 1}, 1);
    if (wall_.screenColumns == 0 || wall_.screenRows == 0) return;
    DrawScreenDivisions(painter, font);
}

void CWallEditor::DrawGridDots(Painter& painter) const {
    const Size paper = VirtualSize();
    const Size grid = GridSize();
    const int columns = paper.width / grid.width;
    const int rows = paper.height / grid.height;
    for (int i = 1; i <= columns / kDotEvery; ++i) {
        const int x = Zoomed(grid.width * kDotEvery * i);
        for (int j = 1; j <= rows / kDotEvery; ++j) {
            const int y = Zoomed(grid.height * kDotEvery * j);
            painter.DrawLine({x, y}, {x, y}, kDotPen);
        }
    }
}

// The wall is counted in whole unzoomed units, as the pieces of the channel windows are, so that
// the screen lines and the piece lines meet at every zoom.
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
        DrawScreenLabel(painter, font, {x, 0}, i + 1);
        DrawColumnLine(painter, x);
    }
    for (int j = 1; j < wall_.screenRows; ++j) {
        const int y = static_cast<int>(j * cellHeight);
        DrawScreenLabel(painter, font, {0, y}, j + 1);
        DrawRowLine(painter, y);
    }
}

void CWallEditor::DrawQuarters(Painter& painter, const Font& font, double cellWidth,
                               double cellHeight) const {
    const int x = static_cast<int>(cellWidth);
    const int y = static_cast<int>(cellHeight);
    DrawScreenLabel(painter, font, {x, 0}, 2);
    DrawScreenLabel(painter, font, {0, y}, 3);
    DrawScreenLabel(painter, font, {x, y}, 4);
    DrawColumnLine(painter, x);
    DrawRowLine(painter, y);
}

void CWallEditor::DrawScreenLabel(Painter& painter, const Font& font, Point at, int number) const {
    painter.DrawText({Zoomed(at.x), Zoomed(at.y)}, ScreenLabel(number), font, DrawingArea());
}

void CWallEditor::DrawColumnLine(Painter& painter, int x) const {
    painter.DrawLine({Zoomed(x), 0}, {Zoomed(x), Zoomed(wall_.layoutHeight)}, kWallPen);
}

void CWallEditor::DrawRowLine(Painter& painter, int y) const {
    painter.DrawLine({0, Zoomed(y)}, {Zoomed(wall_.layoutWidth), Zoomed(y)}, kWallPen);
}

}  // namespace hsq
