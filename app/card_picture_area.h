#pragma once

#include <optional>
#include <vector>

#include "canvas/painter.h"

namespace hsq {

// The card pictures of one area of the main window and the operator's selection of them:
// press to select, drag to move every selected picture (never out of the area), or drag a frame
// over empty space to select what lies wholly inside it. Points are relative to the area.
class CardPictureArea {
  public:
    CardPictureArea(int pictureCount, int width, int height);

    void Resize(int width, int height);
    void Place(int index, const Rect& rect);
    void Show(int index, bool visible);

    const Rect& Picture(int index) const { return pictures_[index].rect; }
    bool Visible(int index) const { return pictures_[index].visible; }
    bool Selected(int index) const { return pictures_[index].selected; }
    bool AnyVisible() const;
    std::vector<int> SelectedIndices() const;
    int Count() const { return static_cast<int>(pictures_.size()); }

    void Press(Point point);
    void Drag(Point point);
    void Release(Point point);
    void ClearSelection();
    // The selection frame being dragged, normalised.
    std::optional<Rect> Frame() const;

  private:
    struct Slot {
        Rect rect;
        bool visible = false;
        bool selected = false;
    };
    enum class Gesture { None, Moving, Framing };

    std::optional<int> PictureAt(Point point) const;
    void MoveSelected(int dx, int dy);
    void SelectInsideFrame();

    std::vector<Slot> pictures_;
    Rect bounds_;
    Gesture gesture_ = Gesture::None;
    Point anchor_;
    Point last_;
};

}  // namespace hsq
