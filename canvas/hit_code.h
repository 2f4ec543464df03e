#pragma once

namespace hsq {

// What lies under a point of an entity: its body or one of the eight sizing handles.
enum class HitCode {
    None = 0,
    Body = 1,
    TopLeft = 2,
    Top = 3,
    TopRight = 4,
    BottomLeft = 5,
    Bottom = 6,
    BottomRight = 7,
    Left = 8,
    Right = 9,
};

enum class CursorShape {
    Arrow,
    Move,
    SizeNorthWestSouthEast,
    SizeNorthSouth,
    SizeNorthEastSouthWest,
    SizeWestEast,
    Cross,
};

}  // namespace hsq
