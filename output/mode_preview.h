#pragma once

#include "canvas/painter.h"
#include "output/mode_layouts.h"

namespace hsq {

// Draws display mode 0..15 of a card into area: the output picture as large as it fits, and on
// it each channel's window scaled, in layer order (the top layer last), filled and numbered; a
// channel that is off only outlined, dotted. Nothing is drawn outside the output picture,
// whatever the windows hold, and nothing at all for a mode or an output size that is not there.
void DrawModePreview(Painter& painter, const Rect& area, const CardModeLayouts& card, int mode);

}  // namespace hsq
