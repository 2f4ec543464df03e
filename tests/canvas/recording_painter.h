#pragma once

#include <string>
#include <variant>
#include <vector>

#include "canvas/painter.h"

namespace hsq {

struct LineCall {
    Point from;
    Point to;
    Pen pen;
    friend bool operator==(const LineCall&, const LineCall&) = default;
};

struct OutlineCall {
    Rect rect;
    Pen pen;
    friend bool operator==(const OutlineCall&, const OutlineCall&) = default;
};

struct FillCall {
    Rect rect;
    Color color;
    friend bool operator==(const FillCall&, const FillCall&) = default;
};

struct TextCall {
    Point at;
    std::string text;
    Font font;
    Rect clip;
    friend bool operator==(const TextCall&, const TextCall&) = default;
};

using PaintCall = std::variant<LineCall, OutlineCall, FillCall, TextCall>;

// Keeps every call but single pixels, in order, as a value to compare against.
class RecordingPainter : public Painter {
public:
    explicit RecordingPainter(int defaultFontHeight = 11) : defaultFontHeight_(defaultFontHeight) {}

    void DrawLine(Point from, Point to, const Pen& pen) override {
        calls.emplace_back(std::in_place_type<LineCall>, from, to, pen);
    }
    void DrawRectOutline(const Rect& rect, const Pen& pen) override {
        calls.emplace_back(std::in_place_type<OutlineCall>, rect, pen);
    }
    void FillRect(const Rect& rect, Color color) override {
        calls.emplace_back(std::in_place_type<FillCall>, rect, color);
    }
    void SetPixel(Point, Color) override {}  // no test looks at single pixels
    void DrawText(Point at, std::string_view text, const Font& font,
                  const Rect& clip) override {
        calls.emplace_back(std::in_place_type<TextCall>, at, std::string(text), font, clip);
    }
    int DefaultFontHeight() const override { return defaultFontHeight_; }

    // The calls of one kind, in the order they were made.
    template <typename Call>
    std::vector<Call> Of() const {
        std::vector<Call> found;
        for (const PaintCall& call : calls)
            if (const Call* match = std::get_if<Call>(&call)) found.push_back(*match);
        return found;
    }

    std::vector<LineCall> LinesWith(const Pen& pen) const {
        std::vector<LineCall> lines;
        for (const LineCall& line : Of<LineCall>())
            if (line.pen == pen) lines.push_back(line);
        return lines;
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const TextCall& call : Of<TextCall>()) texts.push_back(call.text);
        return texts;
    }

    void Clear() { calls.clear(); }

    std::vector<PaintCall> calls;

private:
    int defaultFontHeight_;
};

}  // namespace hsq
