#pragma once

#include "canvas/layout_geometry.h"
#include "canvas/wall_editor.h"

namespace hsq {

// The processor output the sample wall stands for.
inline constexpr int kSampleOutputWidth = 1920;
inline constexpr int kSampleOutputHeight = 1080;

// A 2 x 2 wall of one 1920 x 1080 output filling area, with an output channel window in quad
// mode on each quarter: what the canvas demonstration and benchmarks show. Each window starts
// with the processor values its canvas rectangle stands for.
void BuildSampleWall(CWallEditor& editor, Size area);

}  // namespace hsq
