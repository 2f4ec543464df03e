#include "output/output_space.h"

#include <algorithm>
#include <cstdint>

namespace hsq {

RectF OutputSpace::CanvasRect(const ProcessorRect& window) const {
    const double left = window.x / RatioX();
    const double top = window.y / RatioY();
    return {left, top, left + window.w / RatioX(), top + window.h / RatioY()};
}

ProcessorRect OutputSpace::Cut(const ProcessorRect& window, bool& cut) const {
    ProcessorRect kept = window;
    kept.w = std::min(kept.w, extentWidth_ - 64);
    kept.h = std::min(kept.h, extentHeight_ - 16);
    cut = !(kept == window);
    return kept;
}

bool OutputSpace::Valid(const ProcessorRect& w) const {
    return w.w >= kMinimumSide && w.w <= extentWidth_ - 64 && w.h >= kMinimumSide &&
           w.h <= extentHeight_ - 16 && w.x >= 0 && w.x <= extentWidth_ && w.y >= 0 &&
           w.y <= extentHeight_ && w.x + w.w <= extentWidth_ && w.y + w.h <= extentHeight_;
}

// Sums in 64 bits: a typed value may be as large as an int holds.
std::optional<ProcessorRect> OutputSpace::Edited(const ProcessorRect& window, Field field,
                                                 int typed) const {
    const std::int64_t v = typed;
    ProcessorRect edited = window;
    const int maxWidth = extentWidth_ - 64;
    const int maxHeight = extentHeight_ - 16;
    switch (field) {
        case Field::W:
            if (v < 0 || v > maxWidth || v + window.x > extentWidth_ - 32) return std::nullopt;
            edited.w = typed;
            break;
        case Field::H:
            if (v < 0 || v > maxHeight || v + window.y > extentHeight_ - 8) return std::nullopt;
            edited.h = typed;
            break;
        case Field::X:
            if (v < -kOriginX || window.w < 0 || window.w > maxWidth ||
                window.w + v > extentWidth_ - 32)
                return std::nullopt;
            edited.x = typed + kOriginX;
            break;
        case Field::Y:
            if (v < -kOriginY || window.h < 0 || window.h > maxHeight ||
                window.h + v > extentHeight_ - 8)
                return std::nullopt;
            edited.y = typed + kOriginY;
            break;
    }
    return edited;
}

int OutputSpace::Shown(const ProcessorRect& window, Field field) {
    switch (field) {
        case Field::W: return window.w;
        case Field::H: return window.h;
        case Field::X: return window.x - kOriginX;
        case Field::Y: return window.y - kOriginY;
    }
    return 0;
}

}  // namespace hsq
