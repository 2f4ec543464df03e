#include "canvas/channel_labels.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

#include "canvas/split_layout.h"

namespace hsq {
namespace {

constexpr int kNameOffset = 5;
constexpr int kSizeOffset = 20;
constexpr int kPositionOffset = 35;
// How big the whole window must be for a full block on every piece, or for one line.
constexpr Size kRoomForBlock{100, 55};
constexpr Size kRoomForLine{40, 20};

int Zoomed(const ChannelLabelSource& source, int units) { return hsq::Zoomed(units, source.zoom); }

// Room is counted in unzoomed units, so that a zoom shows the same lines, only larger.
bool HasRoom(const ChannelLabelSource& source, Size room) {
    return source.rect.Width() >= room.width * source.zoom &&
           source.rect.Height() >= room.height * source.zoom;
}

std::string Numbered(std::string_view head, long long number) {
    return std::string(head) + ":[" + std::to_string(number) + "]";
}

std::string Pair(std::string_view head, long long first, long long second) {
    return std::string(head) + ":[" + std::to_string(first) + "," + std::to_string(second) + "]";
}

std::string SizeText(const ProcessorRect& processor) {
    return Pair("W_H", processor.w, processor.h);
}

std::string PositionText(const ChannelLabelSource& source) {
    // Wide enough that taking off the origin never overflows.
    const long long x = static_cast<long long>(source.processor.x) - source.settings.originX;
    const long long y = static_cast<long long>(source.processor.y) - source.settings.originY;
    return Pair("X_Y", x, y);
}

std::string UndividedName(const ChannelWindowSettings& settings) {
    if (settings.kind == kInputCardWindow) return settings.index == 2 ? "CH:[PIP]" : "CH:[Main]";
    if (settings.kind == kOutputChannelWindow) return Numbered("IMG", settings.index);
    // Image indexes from 5 on are numbered again from 1.
    return Numbered("IMG", settings.index >= 5 ? settings.index - 4 : settings.index);
}

void AddBlock(std::vector<LabelLine>& lines, const ChannelLabelSource& source, Point at,
              std::string name) {
    if (!name.empty())
        lines.push_back({{at.x, at.y + Zoomed(source, kNameOffset)}, std::move(name)});
    lines.push_back({{at.x, at.y + Zoomed(source, kSizeOffset)}, SizeText(source.processor)});
    lines.push_back({{at.x, at.y + Zoomed(source, kPositionOffset)}, PositionText(source)});
}

// One block per quarter covered; a quarter right of or below the first one has its block at
// the quarter's own edge.
void AddQuarterBlocks(std::vector<LabelLine>& lines, const ChannelLabelSource& source, int first,
                      int last) {
    const Rect& rect = source.rect;
    const int firstColumn = (first - 1) % 2;
    const int firstRow = (first - 1) / 2;
    for (int row = firstRow; row <= (last - 1) / 2; ++row) {
        for (int column = firstColumn; column <= (last - 1) % 2; ++column) {
            const Point at{column == firstColumn ? rect.left : Zoomed(source, source.piece.width),
                           row == firstRow ? rect.top : Zoomed(source, source.piece.height)};
            const int quarter = row * 2 + column + 1;
            AddBlock(lines, source, at,
                     source.settings.kind == kOutputChannelWindow ? "" : Numbered("CH", quarter));
        }
    }
}

// One block, or a single line, at the leading edge of each piece covered, as room allows.
void AddPieceBlocks(std::vector<LabelLine>& lines, const ChannelLabelSource& source, int first,
                    int last) {
    const Rect& rect = source.rect;
    const bool sideBySide = PiecesAcross(source.settings.splitMode) > 1;
    for (int k = first; k <= last; ++k) {
        const bool isFirst = k == first;
        Point at{rect.left, rect.top};
        if (!isFirst && sideBySide) at.x = Zoomed(source, (k - 1) * source.piece.width);
        if (!isFirst && !sideBySide) at.y = Zoomed(source, (k - 1) * source.piece.height);
        if (HasRoom(source, kRoomForBlock))
            AddBlock(lines, source, at, "");
        else if (HasRoom(source, kRoomForLine) && sideBySide)
            lines.push_back({{at.x, at.y + (isFirst ? Zoomed(source, kNameOffset) : 0)},
                             SizeText(source.processor)});
        // Stacked pieces short of room show only their name line, which is empty.
    }
}

}  // namespace

std::vector<LabelLine> ChannelLabels(const ChannelLabelSource& source) {
    std::vector<LabelLine> lines;
    const Rect& rect = source.rect;
    const Point topLeft{rect.left, rect.top};
    if (!IsDivided(source.piece)) {
        AddBlock(lines, source, topLeft, UndividedName(source.settings));
        return lines;
    }
    const int mode = source.settings.splitMode;
    // The pieces are in unzoomed units: those that hold the window's first and last pixels.
    const auto unzoomed = [&source](int x, int y) {
        return PointF{x / source.zoom, y / source.zoom};
    };
    const int first = PieceAt(mode, source.piece, unzoomed(rect.left, rect.top));
    const int last = PieceAt(mode, source.piece, unzoomed(std::max(rect.left, rect.right - 1),
                                                          std::max(rect.top, rect.bottom - 1)));
    if (first == last) {
        const bool inputCard = source.settings.kind == kInputCardWindow;
        AddBlock(lines, source, topLeft, inputCard ? UndividedName(source.settings) : "");
    } else if (PiecesAcross(mode) > 1 && PiecesDown(mode) > 1) {
        AddQuarterBlocks(lines, source, first, last);
    } else {
        AddPieceBlocks(lines, source, first, last);
    }
    return lines;
}

}  // namespace hsq
