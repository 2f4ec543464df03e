// The editor's mouse gestures and keys.
#include <algorithm>

#include "canvas/layout_editor.h"

namespace hsq {
namespace {

constexpr unsigned kToggleModifiers = kShiftModifier | kControlModifier;

struct ArrowAction {
    Offset direction;
    LayoutNotice notice;
    HitCode resizedEdge;
};

ArrowAction ArrowActionFor(Key key) {
    switch (key) {
        case Key::Left: return {{-1, 0}, LayoutNotice::KeyLeft, HitCode::Right};
        case Key::Right: return {{1, 0}, LayoutNotice::KeyRight, HitCode::Right};
        case Key::Up: return {{0, -1}, LayoutNotice::KeyUp, HitCode::Bottom};
        default: return {{0, 1}, LayoutNotice::KeyDown, HitCode::Bottom};
    }
}

}  // namespace

void CLayoutEditor::OnMousePress(const MouseEvent& event) {
    if (event.button != MouseButton::Left || gesture_.kind != GestureKind::None) return;
    SyncItemZoom();
    const PointF at = PaperPoint(event.position);
    if (drawingObject_) {
        BeginGesture(GestureKind::Create, CreationPoint(at), HitCode::None, {});
        return;
    }
    const std::optional<Hit> hit = TopmostAt(CanvasPixel(event.position));
    CLayoutItem* item = hit ? &items_.At(hit->index) : nullptr;
    const HitCode code = hit ? hit->code : HitCode::None;
    UpdateSelection(item, code, event.modifiers);
    if (item == nullptr || !item->IsSelected() || (event.modifiers & kToggleModifiers) != 0) return;
    if (code == HitCode::Body)
        BeginGesture(GestureKind::Move, at, code, items_.Selected());
    else
        BeginGesture(GestureKind::Resize, at, code, {item});
}

void CLayoutEditor::OnMouseMove(const MouseEvent& event) {
    if (gesture_.kind == GestureKind::None) return;
    SyncItemZoom();
    AutoScroll(event.position);
    FollowPointer(PaperPoint(event.position));
    observer_.OnRepaintNeeded();
}

void CLayoutEditor::OnMouseRelease(const MouseEvent& event) {
    if (event.button != MouseButton::Left || gesture_.kind == GestureKind::None) return;
    SyncItemZoom();
    FollowPointer(PaperPoint(event.position));
    FinishGesture();
}

CursorShape CLayoutEditor::CursorAt(Point client) const {
    if (drawingObject_) return CursorShape::Cross;
    if (gesture_.kind == GestureKind::Move) return CursorShape::Move;
    if (gesture_.kind == GestureKind::Resize)
        return gesture_.originals.front().first->CursorFor(gesture_.handle);
    const std::optional<Hit> hit = TopmostAt(CanvasPixel(client));
    return hit ? items_.At(hit->index).CursorFor(hit->code) : CursorShape::Arrow;
}

// A plain click selects the entity alone, unless it is already part of the selection that is
// about to be dragged; shift or control adds or removes it; a click on empty space clears.
void CLayoutEditor::UpdateSelection(CLayoutItem* item, HitCode code, unsigned modifiers) {
    const std::vector<CLayoutItem*> before = items_.Selected();
    if ((modifiers & kToggleModifiers) != 0) {
        if (item != nullptr) item->Select(!item->IsSelected());
    } else if (item == nullptr || code != HitCode::Body || !item->IsSelected()) {
        items_.SelectOnly(item);
    }
    const std::vector<CLayoutItem*> after = items_.Selected();
    if (after == before) return;
    if (after.size() == 1)
        Notify(LayoutNotice::SingleSelection, after);
    else
        observer_.OnRepaintNeeded();
}

void CLayoutEditor::BeginGesture(GestureKind kind, PointF at, HitCode handle,
                                 const std::vector<CLayoutItem*>& items) {
    gesture_ = {kind, at, at, handle, BeginOperatorEdit(items)};
}

void CLayoutEditor::AutoScroll(Point client) {
    Point scroll = scroll_;
    if (client.x < 0) scroll.x -= kScrollStep;
    if (client.x >= client_.width) scroll.x += kScrollStep;
    if (client.y < 0) scroll.y -= kScrollStep;
    if (client.y >= client_.height) scroll.y += kScrollStep;
    SetScrollPosition(scroll);
}

void CLayoutEditor::FollowPointer(PointF at) {
    const Offset offset{at.x - gesture_.start.x, at.y - gesture_.start.y};
    switch (gesture_.kind) {
        case GestureKind::Move: {
            const RectF box = BoundsOf(gesture_.originals);
            PlaceMoved(gesture_.originals,
                       snapToGrid_ ? SnapMoveOffset(box, offset, grid_) : offset);
            break;
        }
        case GestureKind::Resize: {
            const RectF& rect = gesture_.originals.front().second;
            const HitCode handle = gesture_.handle;
            PlaceResized(gesture_.originals, handle,
                         snapToGrid_ ? SnapHandleOffset(rect, handle, offset, grid_) : offset);
            break;
        }
        case GestureKind::Create: gesture_.current = CreationPoint(at); break;
        case GestureKind::None: break;
    }
}

void CLayoutEditor::FinishGesture() {
    const Gesture finished = std::move(gesture_);
    gesture_ = {};
    std::vector<CLayoutItem*> changed;
    for (const auto& [item, rect] : finished.originals)
        if (item->Rectangle() != rect) changed.push_back(item);
    switch (finished.kind) {
        case GestureKind::Move:
        case GestureKind::Resize:
            if (changed.empty()) return;
            Notify(finished.kind == GestureKind::Move ? LayoutNotice::Moved : LayoutNotice::Resized,
                   changed);
            break;
        case GestureKind::Create: CreateFromDrag(DraggedRect(finished)); break;
        case GestureKind::None: break;
    }
}

// A click without a drag creates nothing and stays in draw mode.
void CLayoutEditor::CreateFromDrag(const RectF& dragged) {
    observer_.OnRepaintNeeded();
    if (dragged.Width() <= 0 || dragged.Height() <= 0) return;
    std::unique_ptr<CLayoutItem> created = drawingObject_->Clone();
    created->SetRectangle(
        ResizeByHandle(dragged, HitCode::BottomRight, {}, created->Limits(), std::nullopt));
    drawingObject_.reset();
    CLayoutItem& added = AddObject(std::move(created));
    items_.SelectOnly(&added);
    Notify(LayoutNotice::SingleSelection, {&added});
}

RectF CLayoutEditor::DraggedRect(const Gesture& gesture) {
    return Normalized({gesture.start.x, gesture.start.y, gesture.current.x, gesture.current.y});
}

PointF CLayoutEditor::CreationPoint(PointF at) const {
    if (snapToGrid_) at = {SnapToGrid(at.x, grid_.width), SnapToGrid(at.y, grid_.height)};
    if (const std::optional<RectF> area = AllowedArea()) {
        at.x = std::clamp(at.x, area->left, std::max(area->left, area->right));
        at.y = std::clamp(at.y, area->top, std::max(area->top, area->bottom));
    }
    return at;
}

bool CLayoutEditor::OnKeyPress(const KeyEvent& event) {
    switch (event.key) {
        case Key::Left:
        case Key::Right:
        case Key::Up:
        case Key::Down: return OnArrowKey(event);
        case Key::PageUp:
        case Key::PageDown: return OnPageKey(event);
        default: return false;
    }
}

// One step is a canvas pixel (a grid step when snapping) at the current zoom, never less than
// one unit.
bool CLayoutEditor::OnArrowKey(const KeyEvent& event) {
    if ((keyboardFlags_ & kArrowKeysMove) == 0) return false;
    const std::vector<CLayoutItem*> selected = items_.Selected();
    if (selected.empty()) return false;
    const double across = std::max(1.0, (snapToGrid_ ? grid_.width : 1) / zoom_);
    const double down = std::max(1.0, (snapToGrid_ ? grid_.height : 1) / zoom_);
    const ArrowAction action = ArrowActionFor(event.key);
    const Offset step{action.direction.dx * across, action.direction.dy * down};
    const std::vector<ItemRect> originals = BeginOperatorEdit(selected);
    const bool changed = (event.modifiers & kShiftModifier) != 0
                             ? PlaceResized(originals, action.resizedEdge, step)
                             : PlaceMoved(originals, step);
    if (changed) Notify(action.notice, selected);
    return true;
}

// Page Up brings the one selected entity a place toward the front (the end of the list), Page
// Down a place toward the back; with control, all the way.
bool CLayoutEditor::OnPageKey(const KeyEvent& event) {
    if ((keyboardFlags_ & kPageKeysRestack) == 0) return false;
    const std::vector<CLayoutItem*> selected = items_.Selected();
    if (selected.size() != 1) return false;
    const std::size_t index = *items_.IndexOf(*selected.front());
    const std::size_t last = items_.Count() - 1;
    const bool allTheWay = (event.modifiers & kControlModifier) != 0;
    std::size_t target = 0;
    if (event.key == Key::PageUp)
        target = allTheWay ? last : std::min(index + 1, last);
    else
        target = allTheWay || index == 0 ? 0 : index - 1;
    if (target == index) return true;
    items_.Restack(index, target);
    observer_.OnRepaintNeeded();
    return true;
}

}  // namespace hsq
