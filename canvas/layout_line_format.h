#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "canvas/layout_geometry.h"

namespace hsq {

// Largest paper extent a line may set: far beyond any screen, small enough to draw a grid over.
inline constexpr int kMaxPaperExtent = 32767;
// Coordinates beyond this are refused, so that six decimals always read back the same value.
inline constexpr double kMaxLineCoordinate = 1e9;

// One entity as its line carries it.
struct ItemLine {
    std::string type;
    RectF rect;
    std::string title;
    std::string name;
    int group = 0;
    friend bool operator==(const ItemLine&, const ItemLine&) = default;
};

// ":", ";", "," and CR LF would break the line apart, so titles and names carry them as
// "\colon", "\semicolon", "\comma" and "\newline".
std::string EscapeLineText(std::string_view text);
std::string UnescapeLineText(std::string_view text);

// "paper:%i,%i;"
std::string WritePaperLine(Size paper);
// Refuses anything but the key "paper" with exactly two whole numbers from 0 to
// kMaxPaperExtent and the closing ";".
std::optional<Size> ReadPaperLine(std::string_view line);

// "type:left,top,right,bottom,title,name,group", coordinates with six decimals.
std::string WriteItemLine(const ItemLine& item);
// Refuses an empty type, the paper key, a field count other than seven, numbers that do not
// read whole, coordinates that are not finite or beyond kMaxLineCoordinate, and a rectangle whose
// right or bottom lies before its left or top.
std::optional<ItemLine> ReadItemLine(std::string_view line);

}  // namespace hsq
