#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "canvas/hit_code.h"
#include "canvas/layout_geometry.h"
#include "canvas/painter.h"

namespace hsq {

// How the operator changed an entity's rectangle, with the mouse or an arrow key.
enum class OperatorEdit { Move, Resize };

// A rectangle on the layout canvas: the base of everything the editor selects, moves and
// resizes. Its rectangle is in unzoomed canvas units; the editor sets its zoom before drawing.
class CLayoutItem {
public:
    static constexpr int kMarkerSize = 6;

    CLayoutItem();
    virtual ~CLayoutItem() = default;

    virtual std::unique_ptr<CLayoutItem> Clone() const;

    const std::string& Type() const { return type_; }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }
    int Group() const { return group_; }
    void SetGroup(int group) { group_ = group; }

    const RectF& Rectangle() const { return rect_; }
    void SetRectangle(const RectF& rect) { rect_ = rect; }
    void MoveBy(Offset offset) { rect_ = Moved(rect_, offset); }

    const SizeLimits& Limits() const { return limits_; }
    void SetMinimumSize(Size minimum) { limits_.minimum = minimum; }
    // A maximum of 0 in a dimension sets no limit there.
    void SetMaximumSize(Size maximum) { limits_.maximum = maximum; }

    bool IsSelected() const { return selected_; }
    void Select(bool selected) { selected_ = selected; }

    double Zoom() const { return zoom_; }
    void SetZoom(double zoom) { zoom_ = zoom; }

    // Where the editor draws it, in zoomed canvas pixels.
    Rect PixelRect() const { return ZoomedRect(rect_, zoom_); }

    // The editor calls BeginOperatorEdit before a drag or an arrow key changes the rectangle,
    // then OperatorEdited after each change with the rectangle the edit began from. The owner's
    // own SetRectangle calls are no operator edits.
    virtual void BeginOperatorEdit() {}
    virtual void OperatorEdited(OperatorEdit, const RectF& /*from*/) {}

    // The handle or body under a point in zoomed canvas pixels; handles reach half a marker
    // either side of the outline.
    HitCode HitTest(Point pixel) const;
    virtual CursorShape CursorFor(HitCode code) const;

    virtual void Draw(Painter& painter, const Rect& rect) const;
    void DrawMarkers(Painter& painter) const;

    // The entity line; reading refuses a bad line, or one of another type, and changes nothing.
    std::string ToString() const;
    bool FromString(std::string_view line);

protected:
    explicit CLayoutItem(std::string type) : type_(std::move(type)) {}

private:
    std::string type_;
    std::string title_;
    std::string name_;
    int group_ = 0;
    RectF rect_;
    SizeLimits limits_;
    bool selected_ = false;
    double zoom_ = 1.0;
};

}  // namespace hsq
