#include "canvas/layout_item.h"

#include <array>
#include <cstdlib>

#include "canvas/layout_line_format.h"

namespace hsq {
namespace {

// Where a coordinate lies along one extent: near its low edge, between, or near its high edge.
enum class Zone { Low, Middle, High, Outside };

Zone ZoneOf(int value, int low, int high, int reach) {
    if (value < low - reach || value > high + reach) return Zone::Outside;
    const int toLow = std::abs(value - low);
    const int toHigh = std::abs(value - high);
    if (toLow <= reach && toLow <= toHigh) return Zone::Low;
    if (toHigh <= reach) return Zone::High;
    return Zone::Middle;
}

// Rows: vertical zone; columns: horizontal zone (Low, Middle, High).
constexpr std::array<std::array<HitCode, 3>, 3> kHitByZone{{
    {HitCode::TopLeft, HitCode::Top, HitCode::TopRight},
    {HitCode::Left, HitCode::Body, HitCode::Right},
    {HitCode::BottomLeft, HitCode::Bottom, HitCode::BottomRight},
}};

}  // namespace

CLayoutItem::CLayoutItem() : type_("basic") {}

std::unique_ptr<CLayoutItem> CLayoutItem::Clone() const {
    return std::make_unique<CLayoutItem>(*this);
}

HitCode CLayoutItem::HitTest(Point pixel) const {
    const Rect rect = PixelRect();
    const int reach = kMarkerSize / 2;
    const Zone across = ZoneOf(pixel.x, rect.left, rect.right, reach);
    const Zone down = ZoneOf(pixel.y, rect.top, rect.bottom, reach);
    if (across == Zone::Outside || down == Zone::Outside) return HitCode::None;
    return kHitByZone[static_cast<int>(down)][static_cast<int>(across)];
}

CursorShape CLayoutItem::CursorFor(HitCode code) const {
    switch (code) {
        case HitCode::Body: return CursorShape::Move;
        case HitCode::TopLeft:
        case HitCode::BottomRight: return CursorShape::SizeNorthWestSouthEast;
        case HitCode::Top:
        case HitCode::Bottom: return CursorShape::SizeNorthSouth;
        case HitCode::TopRight:
        case HitCode::BottomLeft: return CursorShape::SizeNorthEastSouthWest;
        case HitCode::Left:
        case HitCode::Right: return CursorShape::SizeWestEast;
        default: return CursorShape::Arrow;
    }
}

void CLayoutItem::Draw(Painter& painter, const Rect& rect) const {
    painter.DrawRectOutline(rect, Pen{kBlack});
}

void CLayoutItem::DrawMarkers(Painter& painter) const {
    const Rect rect = PixelRect();
    const int half = kMarkerSize / 2;
    const int midX = rect.left + rect.Width() / 2;
    const int midY = rect.top + rect.Height() / 2;
    for (int y : {rect.top, midY, rect.bottom}) {
        for (int x : {rect.left, midX, rect.right}) {
            if (x == midX && y == midY) continue;
            painter.FillRect({x - half, y - half, x + half, y + half}, kBlack);
        }
    }
}

std::string CLayoutItem::ToString() const {
    return WriteItemLine({type_, rect_, title_, name_, group_});
}

bool CLayoutItem::FromString(std::string_view line) {
    const std::optional<ItemLine> item = ReadItemLine(line);
    if (!item || item->type != type_) return false;
    rect_ = item->rect;
    title_ = item->title;
    name_ = item->name;
    group_ = item->group;
    return true;
}

}  // namespace hsq
