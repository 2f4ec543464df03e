#pragma once

#include <cstdint>
#include <optional>

#include "canvas/channel_window_fields.h"
#include "canvas/layout_geometry.h"
#include "canvas/wire_rect.h"
#include "config/output_resolution.h"

namespace hsq {

// The processor coordinate space both canvases of the output board dialog stand for: the
// output picture with a margin, shown 32, 8 in from its corner.
class OutputSpace {
  public:
    static constexpr int kCanvasWidth = 450;
    static constexpr int kCanvasHeight = 240;
    static constexpr int kOriginX = 32;
    static constexpr int kOriginY = 8;
    static constexpr int kMinimumSide = 48;

    enum class Field { W, H, X, Y };

    explicit OutputSpace(const OutputResolution& resolution)
        : extentWidth_(resolution.width + 80), extentHeight_(resolution.height + 32) {}

    int ExtentWidth() const { return extentWidth_; }
    int ExtentHeight() const { return extentHeight_; }
    // Processor units per canvas unit.
    double RatioX() const { return extentWidth_ / static_cast<double>(kCanvasWidth); }
    double RatioY() const { return extentHeight_ / static_cast<double>(kCanvasHeight); }

    // Where a window of processor values is drawn, in canvas units.
    RectF CanvasRect(const ProcessorRect& window) const;
    // A window no wider than the extent less 64 and no higher than it less 16; true in cut when
    // anything had to go.
    ProcessorRect Cut(const ProcessorRect& window, bool& cut) const;
    // What both Save buttons require of a window.
    bool Valid(const ProcessorRect& window) const;
    // The window after the operator typed value into one of its fields, or nothing when the
    // value is refused. X and Y are typed as shown, less the origin.
    std::optional<ProcessorRect> Edited(const ProcessorRect& window, Field field, int value) const;
    // What a field shows of a window.
    static int Shown(const ProcessorRect& window, Field field);

  private:
    int extentWidth_;
    int extentHeight_;
};

}  // namespace hsq
