#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace hsq {

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Color&, const Color&) = default;
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};
inline constexpr Color kGreen{0, 255, 0};
inline constexpr Color kRed{255, 0, 0};

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// Right and bottom are one past the last pixel, as the canvas has always counted them.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool Inside(const Rect& outer) const {
        return left >= outer.left && top >= outer.top && right <= outer.right &&
               bottom <= outer.bottom;
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

enum class PenStyle { Solid, Dotted };

struct Pen {
    Color color;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    friend bool operator==(const Pen&, const Pen&) = default;
};

// An empty family means the platform's default interface font.
struct Font {
    std::string family;
    int pixelHeight = 0;
    Color color;
    friend bool operator==(const Font&, const Font&) = default;
};

// Everything the canvas and the card pictures draw with. Each call carries its own pen or font,
// so there is no selected-object state to restore afterwards.
class Painter {
public:
    virtual ~Painter() = default;

    // Both end points are drawn; a line whose ends coincide is a dot of the pen's width.
    virtual void DrawLine(Point from, Point to, const Pen& pen) = 0;
    // The outline lies on the rectangle's own border pixels; the inside is left alone.
    virtual void DrawRectOutline(const Rect& rect, const Pen& pen) = 0;
    virtual void FillRect(const Rect& rect, Color color) = 0;
    virtual void SetPixel(Point at, Color color) = 0;
    // Transparent background; at is the top-left corner of the text. Nothing is drawn outside
    // clip, so that a label stays on what it labels.
    virtual void DrawText(Point at, std::string_view text, const Font& font,
                          const Rect& clip) = 0;

    // Pixel height of the platform's default interface font, which labels scale from.
    virtual int DefaultFontHeight() const = 0;
};

}  // namespace hsq
