#include "canvas/raised_face.h"

namespace hsq {

void DrawRaisedFace(Painter& painter, const Rect& rect, const FaceColors& colors) {
    painter.FillRect(rect, colors.face);
    painter.DrawRectOutline(rect, Pen{colors.darkShadow});
    // Too small for an inner edge: the outline already covers every pixel.
    if (rect.Width() < 3 || rect.Height() < 3) return;
    const Point topLeft{rect.left + 1, rect.top + 1};
    const Point topRight{rect.right - 2, rect.top + 1};
    const Point bottomLeft{rect.left + 1, rect.bottom - 2};
    const Point bottomRight{rect.right - 2, rect.bottom - 2};
    painter.DrawLine(topLeft, topRight, Pen{colors.highlight});
    painter.DrawLine(topLeft, bottomLeft, Pen{colors.highlight});
    painter.DrawLine(bottomLeft, bottomRight, Pen{colors.shadow});
    painter.DrawLine(topRight, bottomRight, Pen{colors.shadow});
}

}  // namespace hsq
