#pragma once

#include <optional>
#include <vector>

namespace hsq {

struct PixelPoint {
    int x = 0;
    int y = 0;
};

// Left, top, right and bottom in pixels, right and bottom exclusive.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(PixelPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    bool Inside(const PixelRect& outer) const {
        return left >= outer.left && top >= outer.top && right <= outer.right &&
               bottom <= outer.bottom;
    }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The card pictures of one area of the main window and the operator's selection of them:
// press to select, drag to move every selected picture (never out of the area), or drag a frame
// over empty space to select what lies wholly inside it. Points are relative to the area.
class CardPictureArea {
  public:
    CardPictureArea(int pictureCount, int width, int height);

    void Resize(int width, int height);
    void Place(int index, const PixelRect& rect);
    void Show(int index, bool visible);

    const PixelRect& Picture(int index) const { return pictures_[index].rect; }
    bool Visible(int index) const { return pictures_[index].visible; }
    bool Selected(int index) const { return pictures_[index].selected; }
    bool AnyVisible() const;
    std::vector<int> SelectedIndices() const;
    int Count() const { return static_cast<int>(pictures_.size()); }

    void Press(PixelPoint point);
    void Drag(PixelPoint point);
    void Release(PixelPoint point);
    void ClearSelection();
    // The selection frame being dragged, normalised.
    std::optional<PixelRect> Frame() const;

  private:
    struct Slot {
        PixelRect rect;
        bool visible = false;
        bool selected = false;
    };
    enum class Gesture { None, Moving, Framing };

    std::optional<int> PictureAt(PixelPoint point) const;
    void MoveSelected(int dx, int dy);
    void SelectInsideFrame();

    std::vector<Slot> pictures_;
    PixelRect bounds_;
    Gesture gesture_ = Gesture::None;
    PixelPoint anchor_;
    PixelPoint last_;
};

}  // namespace hsq
