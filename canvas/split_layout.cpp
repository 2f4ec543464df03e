#include "canvas/split_layout.h"

#include <algorithm>

namespace hsq {

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

int PieceAt(int splitMode, Size piece, Point at) {
    const int across = PiecesAcross(splitMode);
    const int column = std::clamp(at.x / piece.width, 0, across - 1);
    const int row = std::clamp(at.y / piece.height, 0, PiecesDown(splitMode) - 1);
    return row * across + column + 1;
}

}  // namespace hsq
