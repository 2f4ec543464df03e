#pragma once

#include "canvas/painter.h"

namespace hsq {

// The platform's 3-D element colours, at their usual desktop values.
struct FaceColors {
    Color face{240, 240, 240};
    Color highlight{255, 255, 255};
    Color shadow{160, 160, 160};
    Color darkShadow{105, 105, 105};
};

// A raised button face: filled, outlined in the dark shadow, and one pixel inside lit from
// the top left and shaded at the bottom right.
void DrawRaisedFace(Painter& painter, const Rect& rect, const FaceColors& colors = FaceColors{});

}  // namespace hsq
