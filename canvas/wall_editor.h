#pragma once

#include <cstdint>

#include "canvas/layout_editor.h"

namespace hsq {

// The physical screens of the wall, set by the owner before the first paint.
struct WallLayout {
    std::uint8_t screenColumns = 0;
    std::uint8_t screenRows = 0;
    // The output area on the canvas, in unzoomed canvas units.
    std::int32_t layoutWidth = 0;
    std::int32_t layoutHeight = 0;
};

// The layout editor with the wall behind the entities: a raised face, a dot grid, the outline
// of the output area and its division into screens "S1", "S2", ....
class CWallEditor : public CLayoutEditor {
public:
    using CLayoutEditor::CLayoutEditor;

    const WallLayout& Wall() const { return wall_; }
    void SetWall(const WallLayout& wall) { wall_ = wall; }

protected:
    void DrawBackground(Painter& painter) override;
    void DrawGrid(Painter& painter) override;

private:
    // Wall coordinates are in unzoomed canvas units, as the entities' are.
    int Zoomed(double units) const { return hsq::Zoomed(units, Zoom()); }
    void DrawGridDots(Painter& painter) const;
    void DrawScreenDivisions(Painter& painter, const Font& font) const;
    void DrawQuarters(Painter& painter, const Font& font, double cellWidth,
                      double cellHeight) const;
    void DrawScreenLabel(Painter& painter, const Font& font, Point at, int number) const;
    void DrawColumnLine(Painter& painter, int x) const;
    void DrawRowLine(Painter& painter, int y) const;

    WallLayout wall_;
};

}  // namespace hsq
