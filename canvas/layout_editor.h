#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "canvas/layout_events.h"
#include "canvas/layout_geometry.h"
#include "canvas/layout_item.h"
#include "canvas/layout_item_list.h"
#include "canvas/painter.h"

namespace hsq {

struct Margins {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct EditorColors {
    Color background = kGreen;
    Color grid = kGreen;
    Color nonClient = kGreen;
    Color margin = kRed;
};

// Keyboard flag bits.
inline constexpr unsigned kArrowKeysMove = 1u << 0;
inline constexpr unsigned kPageKeysRestack = 1u << 2;

enum class Restraint { Free = 0, InsidePaper = 1, InsideMargins = 2 };

// The layout editor without its window: it draws the canvas against a Painter, takes mouse and
// key events in client coordinates, and holds the scroll position for the window to apply.
class CLayoutEditor {
public:
    static constexpr double kMinZoom = 0.01;
    static constexpr double kMaxZoom = 10.0;
    static constexpr int kScrollStep = 10;

    CLayoutEditor(CLayoutItemList& items, LayoutObserver& observer);
    virtual ~CLayoutEditor() = default;

    CLayoutItemList& Items() { return items_; }
    const CLayoutItemList& Items() const { return items_; }
    CLayoutItem& AddObject(std::unique_ptr<CLayoutItem> item);
    void Redraw() { observer_.OnRepaintNeeded(); }

    // Negative extents count as 0.
    void SetClientSize(Size client);
    Size ClientSize() const { return client_; }
    // The paper, with the client area standing in for an extent of 0.
    Size VirtualSize() const;

    double Zoom() const { return zoom_; }
    // Held between kMinZoom and kMaxZoom; refuses what is not a positive number.
    bool SetZoom(double zoom);
    Size GridSize() const { return grid_; }
    // Refuses a step below 1.
    bool SetGridSize(Size grid);
    Restraint GetRestraint() const { return restraint_; }
    void SetRestraint(Restraint restraint) { restraint_ = restraint; }
    const Margins& GetMargins() const { return margins_; }
    void SetMargins(const Margins& margins) { margins_ = margins; }
    bool SnapsToGrid() const { return snapToGrid_; }
    void SetSnapToGrid(bool snap) { snapToGrid_ = snap; }
    unsigned KeyboardFlags() const { return keyboardFlags_; }
    void SetKeyboardFlags(unsigned flags) { keyboardFlags_ = flags; }
    const EditorColors& Colors() const { return colors_; }
    void SetColors(const EditorColors& colors) { colors_ = colors; }

    // While set, the next click and drag creates a copy of it (draw mode); nullptr goes back
    // to select mode. Creating an entity also goes back to select mode.
    void SetDrawingObject(std::unique_ptr<CLayoutItem> prototype);
    bool InDrawMode() const { return drawingObject_ != nullptr; }

    void Draw(Painter& painter);

    void OnMousePress(const MouseEvent& event);
    void OnMouseMove(const MouseEvent& event);
    void OnMouseRelease(const MouseEvent& event);
    // True when the key was used.
    bool OnKeyPress(const KeyEvent& event);
    CursorShape CursorAt(Point client) const;

    Point ScrollPosition() const { return scroll_; }
    // Held between the top-left corner and the furthest the drawing area allows.
    void SetScrollPosition(Point scroll);

protected:
    virtual void DrawBackground(Painter& painter);
    // The generic editor shows no grid; a subclass draws its own.
    virtual void DrawGrid(Painter& painter);
    // What is drawn on: the zoomed paper, and at least the client area.
    Rect DrawingArea() const;

private:
    enum class GestureKind { None, Move, Resize, Create };
    using ItemRect = std::pair<CLayoutItem*, RectF>;

    struct Gesture {
        GestureKind kind = GestureKind::None;
        PointF start;
        PointF current;
        HitCode handle = HitCode::None;
        std::vector<ItemRect> originals;
    };

    struct Hit {
        std::size_t index = 0;
        HitCode code = HitCode::None;
    };

    void SyncItemZoom();
    Point CanvasPixel(Point client) const;
    PointF PaperPoint(Point client) const;
    std::optional<Hit> TopmostAt(Point pixel) const;
    std::optional<RectF> AllowedArea() const;
    // Tells the entities that the operator starts to change them; gives where each starts from.
    static std::vector<ItemRect> BeginOperatorEdit(const std::vector<CLayoutItem*>& items);
    static RectF BoundsOf(const std::vector<ItemRect>& rects);
    void Notify(LayoutNotice notice, const std::vector<CLayoutItem*>& items);

    // Mouse gestures.
    void UpdateSelection(CLayoutItem* item, HitCode code, unsigned modifiers);
    void BeginGesture(GestureKind kind, PointF at, HitCode handle,
                      const std::vector<CLayoutItem*>& items);
    void AutoScroll(Point client);
    void FollowPointer(PointF at);
    void FinishGesture();
    void CreateFromDrag(const RectF& dragged);
    static RectF DraggedRect(const Gesture& gesture);
    // Where a corner of a new entity goes: on the grid when snapping, inside the allowed area.
    PointF CreationPoint(PointF at) const;

    // Moves and resizes shared by the mouse and the arrow keys, from where the edit began; true
    // when anything changed since the last step.
    bool PlaceMoved(const std::vector<ItemRect>& originals, Offset offset);
    bool PlaceResized(const std::vector<ItemRect>& originals, HitCode handle, Offset offset);

    // Keys.
    bool OnArrowKey(const KeyEvent& event);
    bool OnPageKey(const KeyEvent& event);

    CLayoutItemList& items_;
    LayoutObserver& observer_;
    Size client_;
    double zoom_ = 1.0;
    Size grid_{8, 8};
    EditorColors colors_;
    Margins margins_;
    Restraint restraint_ = Restraint::Free;
    bool snapToGrid_ = false;
    unsigned keyboardFlags_ = ~0u;
    std::unique_ptr<CLayoutItem> drawingObject_;
    Point scroll_;
    Gesture gesture_;
};

}  // namespace hsq
