#pragma once

#include <string>
#include <vector>

#include "canvas/channel_window_fields.h"
#include "canvas/layout_geometry.h"
#include "canvas/painter.h"

namespace hsq {

struct LabelLine {
    Point at;
    std::string text;
    friend bool operator==(const LabelLine&, const LabelLine&) = default;
};

struct ChannelLabelSource {
    // The window in zoomed pixels, and the zoom: the blocks and their lines zoom with it.
    Rect rect;
    double zoom = 1.0;
    ChannelWindowSettings settings;
    ProcessorRect processor;
    Size piece;
};

// The text lines a channel window shows: one label block for an undivided picture, or one per
// piece it covers. A block is the name at +5, "W_H:[w,h]" at +20 and "X_Y:[x,y]" at +35 down
// from its corner, in unzoomed units; an empty name is left out.
std::vector<LabelLine> ChannelLabels(const ChannelLabelSource& source);

}  // namespace hsq
