#pragma once

#include <vector>

#include "canvas/painter.h"

namespace hsq {

class CLayoutItem;

enum class MouseButton { Left, Middle, Right };

// Modifier bits of an input event.
inline constexpr unsigned kShiftModifier = 1u << 0;
inline constexpr unsigned kControlModifier = 1u << 1;

// position: in the canvas window's client area, before scrolling.
struct MouseEvent {
    Point position;
    MouseButton button = MouseButton::Left;
    unsigned modifiers = 0;
};

enum class Key { Left, Right, Up, Down, PageUp, PageDown, Other };

struct KeyEvent {
    Key key = Key::Other;
    unsigned modifiers = 0;
};

// The operation codes the owner window receives with the entities concerned.
enum class LayoutNotice {
    Moved = 8,
    Resized = 9,
    KeyDown = 11,
    KeyUp = 12,
    KeyLeft = 13,
    KeyRight = 14,
    SingleSelection = 15,
};

// What the editor tells its window and owner. When a notice comes, the entities concerned have
// already converted their new rectangles, so the owner may read them at once; no paint is needed.
class LayoutObserver {
public:
    virtual ~LayoutObserver() = default;
    virtual void OnLayoutNotice(LayoutNotice notice, const std::vector<CLayoutItem*>& items) = 0;
    virtual void OnRepaintNeeded() = 0;
    virtual void OnScrollChanged(Point scroll) = 0;
};

}  // namespace hsq
