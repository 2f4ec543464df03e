#include "app/card_picture_area.h"

#include <algorithm>
#include <climits>

namespace hsq {

CardPictureArea::CardPictureArea(int pictureCount, int width, int height)
    : pictures_(static_cast<std::size_t>(pictureCount)), bounds_{0, 0, width, height} {}

void CardPictureArea::Resize(int width, int height) { bounds_ = {0, 0, width, height}; }

void CardPictureArea::Place(int index, const Rect& rect) { pictures_[index].rect = rect; }

void CardPictureArea::Show(int index, bool visible) {
    pictures_[index].visible = visible;
    if (!visible) pictures_[index].selected = false;
}

bool CardPictureArea::AnyVisible() const {
    return std::any_of(pictures_.begin(), pictures_.end(), [](const Slot& p) { return p.visible; });
}

std::vector<int> CardPictureArea::SelectedIndices() const {
    std::vector<int> indices;
    for (int i = 0; i < Count(); ++i) {
        if (pictures_[i].selected) indices.push_back(i);
    }
    return indices;
}

void CardPictureArea::ClearSelection() {
    for (Slot& picture : pictures_) picture.selected = false;
}

std::optional<int> CardPictureArea::PictureAt(Point point) const {
    for (int i = Count() - 1; i >= 0; --i) {  // the one drawn last lies on top
        if (pictures_[i].visible && pictures_[i].rect.Contains(point)) return i;
    }
    return std::nullopt;
}

void CardPictureArea::Press(Point point) {
    anchor_ = last_ = point;
    const std::optional<int> hit = PictureAt(point);
    if (!hit) {
        ClearSelection();
        gesture_ = Gesture::Framing;
        return;
    }
    if (!pictures_[*hit].selected) {
        ClearSelection();
        pictures_[*hit].selected = true;
    }
    gesture_ = Gesture::Moving;
}

void CardPictureArea::Drag(Point point) {
    if (gesture_ == Gesture::Moving) MoveSelected(point.x - last_.x, point.y - last_.y);
    last_ = point;
    if (gesture_ == Gesture::Framing) SelectInsideFrame();
}

void CardPictureArea::Release(Point point) {
    Drag(point);
    gesture_ = Gesture::None;
}

// The selection moves as one; a step that would take any picture out of the area is cut back.
void CardPictureArea::MoveSelected(int dx, int dy) {
    int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
    for (const Slot& p : pictures_) {
        if (!p.selected) continue;
        left = std::min(left, p.rect.left);
        top = std::min(top, p.rect.top);
        right = std::max(right, p.rect.right);
        bottom = std::max(bottom, p.rect.bottom);
    }
    if (left == INT_MAX) return;
    dx = std::clamp(dx, std::min(0, bounds_.left - left), std::max(0, bounds_.right - right));
    dy = std::clamp(dy, std::min(0, bounds_.top - top), std::max(0, bounds_.bottom - bottom));
    for (Slot& p : pictures_) {
        if (!p.selected) continue;
        p.rect = {p.rect.left + dx, p.rect.top + dy, p.rect.right + dx, p.rect.bottom + dy};
    }
}

std::optional<Rect> CardPictureArea::Frame() const {
    if (gesture_ != Gesture::Framing) return std::nullopt;
    return Rect{std::min(anchor_.x, last_.x), std::min(anchor_.y, last_.y),
                     std::max(anchor_.x, last_.x), std::max(anchor_.y, last_.y)};
}

void CardPictureArea::SelectInsideFrame() {
    const Rect frame = *Frame();
    for (Slot& p : pictures_) p.selected = p.visible && p.rect.Inside(frame);
}

}  // namespace hsq
