#pragma once

#include <optional>
#include <span>

#include "canvas/hit_code.h"
#include "canvas/painter.h"

namespace hsq {

// A rectangle in unzoomed canvas units.
struct RectF {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    double Width() const { return right - left; }
    double Height() const { return bottom - top; }
    friend bool operator==(const RectF&, const RectF&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct PointF {
    double x = 0;
    double y = 0;
};

struct Offset {
    double dx = 0;
    double dy = 0;
    bool IsZero() const { return dx == 0 && dy == 0; }
};

// Minimum and maximum width and height; a maximum of 0 sets no limit.
struct SizeLimits {
    Size minimum;
    Size maximum;
};

// Far beyond any canvas, and small enough that the difference of two pixel positions fits an int.
inline constexpr int kPixelLimit = 1 << 29;

// Nearest whole pixel, held within kPixelLimit either way (NaN gives 0).
int ToPixel(double value);
// Where a coordinate in unzoomed canvas units is drawn.
inline int Zoomed(double units, double zoom) { return ToPixel(units * zoom); }
Rect ZoomedRect(const RectF& rect, double zoom);
RectF Normalized(const RectF& rect);
RectF Moved(const RectF& rect, Offset offset);
RectF BoundingBox(std::span<const RectF> rects);

// The part of offset that keeps box inside area. A box already partly outside may come back
// in but is never pushed further out.
Offset RestrainOffset(const RectF& box, Offset offset, const RectF& area);

// Moves the edges that handle drags by offset, keeping the opposite edges where they are, the
// dragged edges inside area (when given) and the size within limits.
RectF ResizeByHandle(const RectF& rect, HitCode handle, Offset offset, const SizeLimits& limits,
                     const std::optional<RectF>& area);

double SnapToGrid(double value, double step);
// The offset that puts the box's top-left corner on the grid.
Offset SnapMoveOffset(const RectF& box, Offset offset, Size grid);
// The offset that puts the edges the handle drags on the grid.
Offset SnapHandleOffset(const RectF& rect, HitCode handle, Offset offset, Size grid);

}  // namespace hsq
