#pragma once

#include "canvas/layout_geometry.h"
#include "canvas/painter.h"

namespace hsq {

// How a split mode divides the output area: pieces side by side (2, 5, 7), stacked (3, 6, 8)
// or in quarters (4). Any other mode does not divide it.
int PiecesAcross(int splitMode);
int PiecesDown(int splitMode);

// The size of one piece; {0, 0} when the mode does not divide, or the area is too small to.
Size PieceSize(int splitMode, int layoutWidth, int layoutHeight);
inline bool IsDivided(Size piece) { return piece.width > 0 && piece.height > 0; }

// The number, from 1, of the piece that holds a point in unzoomed units; a point beyond the
// output area counts for the nearest piece. piece must be divided.
int PieceAt(int splitMode, Size piece, PointF at);

}  // namespace hsq
