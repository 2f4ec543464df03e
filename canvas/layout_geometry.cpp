#include "canvas/layout_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hsq {
namespace {

struct MovingEdges {
    bool left = false;
    bool top = false;
    bool right = false;
    bool bottom = false;
};

MovingEdges EdgesOf(HitCode handle) {
    switch (handle) {
        case HitCode::TopLeft: return {true, true, false, false};
        case HitCode::Top: return {false, true, false, false};
        case HitCode::TopRight: return {false, true, true, false};
        case HitCode::BottomLeft: return {true, false, false, true};
        case HitCode::Bottom: return {false, false, false, true};
        case HitCode::BottomRight: return {false, false, true, true};
        case HitCode::Left: return {true, false, false, false};
        case HitCode::Right: return {false, false, true, false};
        default: return {};
    }
}

// Keeps the extent from a fixed edge within limits; the minimum wins over a smaller maximum
// and a negative extent is never allowed.
double LimitExtent(double extent, int minimum, int maximum) {
    if (maximum > 0) extent = std::min(extent, static_cast<double>(maximum));
    return std::max(extent, static_cast<double>(std::max(minimum, 0)));
}

double KeepWithin(double edge, double low, double high) {
    return std::clamp(edge, std::min(low, high), std::max(low, high));
}

}  // namespace

int ToPixel(double value) {
    if (std::isnan(value)) return 0;
    const double rounded = std::floor(value + 0.5);
    return static_cast<int>(std::clamp(rounded, -double{kPixelLimit}, double{kPixelLimit}));
}

Rect ZoomedRect(const RectF& rect, double zoom) {
    return {Zoomed(rect.left, zoom), Zoomed(rect.top, zoom), Zoomed(rect.right, zoom),
            Zoomed(rect.bottom, zoom)};
}

RectF Normalized(const RectF& rect) {
    return {std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
            std::max(rect.left, rect.right), std::max(rect.top, rect.bottom)};
}

RectF Moved(const RectF& rect, Offset offset) {
    return {rect.left + offset.dx, rect.top + offset.dy, rect.right + offset.dx,
            rect.bottom + offset.dy};
}

RectF BoundingBox(std::span<const RectF> rects) {
    if (rects.empty()) return {};
    RectF box = rects.front();
    for (const RectF& rect : rects.subspan(1)) {
        box.left = std::min(box.left, rect.left);
        box.top = std::min(box.top, rect.top);
        box.right = std::max(box.right, rect.right);
        box.bottom = std::max(box.bottom, rect.bottom);
    }
    return box;
}

Offset RestrainOffset(const RectF& box, Offset offset, const RectF& area) {
    offset.dx = std::clamp(offset.dx, std::min(0.0, area.left - box.left),
                           std::max(0.0, area.right - box.right));
    offset.dy = std::clamp(offset.dy, std::min(0.0, area.top - box.top),
                           std::max(0.0, area.bottom - box.bottom));
    return offset;
}

RectF ResizeByHandle(const RectF& rect, HitCode handle, Offset offset, const SizeLimits& limits,
                     const std::optional<RectF>& area) {
    constexpr double kFar = std::numeric_limits<double>::infinity();
    const RectF bounds = area.value_or(RectF{-kFar, -kFar, kFar, kFar});
    const MovingEdges edges = EdgesOf(handle);
    const Size& minimum = limits.minimum;
    const Size& maximum = limits.maximum;
    RectF result = rect;
    if (edges.left) {
        const double left = KeepWithin(rect.left + offset.dx, bounds.left, bounds.right);
        result.left = rect.right - LimitExtent(rect.right - left, minimum.width, maximum.width);
    }
    if (edges.right) {
        const double right = KeepWithin(rect.right + offset.dx, bounds.left, bounds.right);
        result.right = rect.left + LimitExtent(right - rect.left, minimum.width, maximum.width);
    }
    if (edges.top) {
        const double top = KeepWithin(rect.top + offset.dy, bounds.top, bounds.bottom);
        result.top = rect.bottom - LimitExtent(rect.bottom - top, minimum.height, maximum.height);
    }
    if (edges.bottom) {
        const double bottom = KeepWithin(rect.bottom + offset.dy, bounds.top, bounds.bottom);
        result.bottom = rect.top + LimitExtent(bottom - rect.top, minimum.height, maximum.height);
    }
    return result;
}

double SnapToGrid(double value, double step) {
    return step > 0 ? std::round(value / step) * step : value;
}

Offset SnapMoveOffset(const RectF& box, Offset offset, Size grid) {
    return {SnapToGrid(box.left + offset.dx, grid.width) - box.left,
            SnapToGrid(box.top + offset.dy, grid.height) - box.top};
}

Offset SnapHandleOffset(const RectF& rect, HitCode handle, Offset offset, Size grid) {
    const MovingEdges edges = EdgesOf(handle);
    const double across = edges.left ? rect.left : rect.right;
    const double down = edges.top ? rect.top : rect.bottom;
    return {SnapToGrid(across + offset.dx, grid.width) - across,
            SnapToGrid(down + offset.dy, grid.height) - down};
}

}  // namespace hsq
