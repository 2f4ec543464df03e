#pragma once

#include <optional>

#include "canvas/channel_window_fields.h"
#include "canvas/layout_geometry.h"
#include "config/output_resolution.h"

namespace hsq {

// The input picture that both windows of the input card dialog lie in, shown on its canvas.
class InputCardSpace {
  public:
    static constexpr int kCanvasWidth = 450;
    static constexpr int kCanvasHeight = 270;

    enum class Field { W, H, X, Y };

    explicit InputCardSpace(const OutputResolution& picture)
        : width_(picture.width), height_(picture.height) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    // Processor pixels per canvas pixel.
    double RatioX() const { return width_ / static_cast<double>(kCanvasWidth); }
    double RatioY() const { return height_ / static_cast<double>(kCanvasHeight); }

    // Where a window of processor values is drawn, in canvas pixels.
    RectF CanvasRect(const ProcessorRect& window) const;
    // The window after the operator typed value into one of its fields, or nothing when the
    // value is negative or would take the window out of the picture. Odd values are taken.
    std::optional<ProcessorRect> Edited(const ProcessorRect& window, Field field, int value) const;
    // What a field shows of a window.
    static int Shown(const ProcessorRect& window, Field field);

  private:
    int width_;
    int height_;
};

}  // namespace hsq
