#include "canvas/split_layout.h"

#include <cmath>

namespace hsq {
namespace {

int PieceAlong(double at, int pieceExtent, int pieces) {
    const double piece = std::floor(at / pieceExtent);
    // NaN, from a point of a zero zoom, counts for the first piece too.
    if (!(piece > 0)) return 0;
    return piece < pieces - 1 ? static_cast<int>(piece) : pieces - 1;
}

}  // namespace

int PiecesAcross(int splitMode) {
    switch (splitMode) {
        case 2:
        case 4: return 2;
        case 5: return 3;
        case 7: return 4;
        default: return 1;
    }
}

int PiecesDown(int splitMode) {
    switch (splitMode) {
        case 3:
        case 4: return 2;
        case 6: return 3;
        case 8: return 4;
        default: return 1;
    }
}

Size PieceSize(int splitMode, int layoutWidth, int layoutHeight) {
    const int across = PiecesAcross(splitMode);
    const int down = PiecesDown(splitMode);
    if (across * down == 1) return {};
    const Size piece{layoutWidth / across, layoutHeight / down};
    return IsDivided(piece) ? piece : Size{};
}

int PieceAt(int splitMode, Size piece, PointF at) {
    const int across = PiecesAcross(splitMode);
    const int column = PieceAlong(at.x, piece.width, across);
    const int row = PieceAlong(at.y, piece.height, PiecesDown(splitMode));
    return row * across + column + 1;
}

}  // namespace hsq
