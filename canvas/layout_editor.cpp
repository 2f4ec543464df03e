#include "canvas/layout_editor.h"

#include <algorithm>
#include <cmath>

namespace hsq {

CLayoutEditor::CLayoutEditor(CLayoutItemList& items, LayoutObserver& observer)
    : items_(items), observer_(observer) {}

CLayoutItem& CLayoutEditor::AddObject(std::unique_ptr<CLayoutItem> item) {
    CLayoutItem& added = items_.Add(std::move(item));
    added.SetZoom(zoom_);
    observer_.OnRepaintNeeded();
    return added;
}

void CLayoutEditor::SetClientSize(Size client) {
    client_ = {std::max(client.width, 0), std::max(client.height, 0)};
    SetScrollPosition(scroll_);
}

Size CLayoutEditor::VirtualSize() const {
    const Size paper = items_.PaperSize();
    return {paper.width != 0 ? paper.width : client_.width,
            paper.height != 0 ? paper.height : client_.height};
}

bool CLayoutEditor::SetZoom(double zoom) {
    if (!std::isfinite(zoom) || zoom <= 0) return false;
    zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
    SyncItemZoom();
    SetScrollPosition(scroll_);
    observer_.OnRepaintNeeded();
    return true;
}

bool CLayoutEditor::SetGridSize(Size grid) {
    if (grid.width < 1 || grid.height < 1) return false;
    grid_ = grid;
    return true;
}

void CLayoutEditor::SetDrawingObject(std::unique_ptr<CLayoutItem> prototype) {
    drawingObject_ = std::move(prototype);
    // A drag that was creating from the old prototype has nothing left to create.
    if (gesture_.kind == GestureKind::Create) gesture_ = {};
}

Rect CLayoutEditor::DrawingArea() const {
    const Size size = VirtualSize();
    return {0, 0, std::max(ToPixel(size.width * zoom_), client_.width),
            std::max(ToPixel(size.height * zoom_), client_.height)};
}

void CLayoutEditor::SetScrollPosition(Point scroll) {
    const Rect area = DrawingArea();
    const Point clamped{std::clamp(scroll.x, 0, std::max(area.right - client_.width, 0)),
                        std::clamp(scroll.y, 0, std::max(area.bottom - client_.height, 0))};
    if (clamped == scroll_) return;
    scroll_ = clamped;
    observer_.OnScrollChanged(scroll_);
}

void CLayoutEditor::Draw(Painter& painter) {
    SyncItemZoom();
    DrawBackground(painter);
    DrawGrid(painter);
    for (std::size_t i = 0; i < items_.Count(); ++i) {
        const CLayoutItem& item = items_.At(i);
        item.Draw(painter, item.PixelRect());
    }
    for (CLayoutItem* item : items_.Selected()) item->DrawMarkers(painter);
    if (gesture_.kind == GestureKind::Create)
        painter.DrawRectOutline(ZoomedRect(DraggedRect(gesture_), zoom_),
                                Pen{kBlack, 1, PenStyle::Dotted});
}

void CLayoutEditor::DrawBackground(Painter& painter) {
    painter.FillRect(DrawingArea(), colors_.background);
}

void CLayoutEditor::DrawGrid(Painter&) {}

void CLayoutEditor::SyncItemZoom() {
    for (std::size_t i = 0; i < items_.Count(); ++i) items_.At(i).SetZoom(zoom_);
}

Point CLayoutEditor::CanvasPixel(Point client) const {
    return {client.x + scroll_.x, client.y + scroll_.y};
}

PointF CLayoutEditor::PaperPoint(Point client) const {
    const Point pixel = CanvasPixel(client);
    return {pixel.x / zoom_, pixel.y / zoom_};
}

std::optional<CLayoutEditor::Hit> CLayoutEditor::TopmostAt(Point pixel) const {
    for (std::size_t i = items_.Count(); i-- > 0;) {
        const HitCode code = items_.At(i).HitTest(pixel);
        if (code != HitCode::None) return Hit{i, code};
    }
    return std::nullopt;
}

std::optional<RectF> CLayoutEditor::AllowedArea() const {
    const Size size = VirtualSize();
    const RectF paper{0, 0, static_cast<double>(size.width), static_cast<double>(size.height)};
    switch (restraint_) {
        case Restraint::InsidePaper: return paper;
        case Restraint::InsideMargins:
            return RectF{paper.left + margins_.left, paper.top + margins_.top,
                         paper.right - margins_.right, paper.bottom - margins_.bottom};
        default: return std::nullopt;
    }
}

std::vector<CLayoutEditor::ItemRect> CLayoutEditor::BeginOperatorEdit(
    const std::vector<CLayoutItem*>& items) {
    std::vector<ItemRect> rects;
    for (CLayoutItem* item : items) {
        item->BeginOperatorEdit();
        rects.emplace_back(item, item->Rectangle());
    }
    return rects;
}

RectF CLayoutEditor::BoundsOf(const std::vector<ItemRect>& rects) {
    std::vector<RectF> plain;
    for (const auto& [item, rect] : rects) plain.push_back(rect);
    return BoundingBox(plain);
}

void CLayoutEditor::Notify(LayoutNotice notice, const std::vector<CLayoutItem*>& items) {
    observer_.OnRepaintNeeded();
    observer_.OnLayoutNotice(notice, items);
}

bool CLayoutEditor::PlaceMoved(const std::vector<ItemRect>& originals, Offset offset) {
    if (const std::optional<RectF> area = AllowedArea())
        offset = RestrainOffset(BoundsOf(originals), offset, *area);
    bool changed = false;
    for (const auto& [item, rect] : originals) {
        const RectF moved = Moved(rect, offset);
        changed = changed || moved != item->Rectangle();
        item->SetRectangle(moved);
        item->OperatorEdited(OperatorEdit::Move, rect);
    }
    return changed;
}

bool CLayoutEditor::PlaceResized(const std::vector<ItemRect>& originals, HitCode handle,
                                 Offset offset) {
    const std::optional<RectF> area = AllowedArea();
    bool changed = false;
    for (const auto& [item, rect] : originals) {
        const RectF resized = ResizeByHandle(rect, handle, offset, item->Limits(), area);
        changed = changed || resized != item->Rectangle();
        item->SetRectangle(resized);
        item->OperatorEdited(OperatorEdit::Resize, rect);
    }
    return changed;
}

}  // namespace hsq
