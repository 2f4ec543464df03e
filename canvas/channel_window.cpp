#include "canvas/channel_window.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "canvas/channel_labels.h"
#include "canvas/raised_face.h"
#include "canvas/split_layout.h"

namespace hsq {
namespace {

constexpr Color kCaptionGrey{196, 196, 196};
constexpr Pen kPiecePen{kGreen, 1, PenStyle::Dotted};

// Processor positions and sizes are always even.
std::int32_t ToEvenProcessorPixels(double value) {
    if (std::isnan(value)) return 0;
    const double whole = std::clamp(std::trunc(value), double{INT_MIN}, double{INT_MAX});
    const auto pixels = static_cast<std::int32_t>(whole);
    return pixels % 2 != 0 ? pixels - 1 : pixels;
}

// The piece boundaries strictly inside low..high along one direction, in zoomed pixels.
std::vector<int> BoundariesInside(int low, int high, int pieceExtent, int pieces, double zoom) {
    std::vector<int> boundaries;
    for (int k = 1; k < pieces; ++k) {
        const int boundary = Zoomed(k * pieceExtent, zoom);
        if (boundary > low && boundary < high) boundaries.push_back(boundary);
    }
    return boundaries;
}

// The owner parks a window it does not show with a reversed rectangle beyond the canvas.
bool IsParked(const RectF& rect) { return rect.right < rect.left || rect.bottom < rect.top; }

}  // namespace

CChannelWindow::CChannelWindow() : CLayoutItem("button") {
    SetName("button");
    SetMinimumSize({1, 1});
}

std::unique_ptr<CLayoutItem> CChannelWindow::Clone() const {
    return std::make_unique<CChannelWindow>(*this);
}

Size CChannelWindow::PieceSize() const {
    return hsq::PieceSize(settings_.splitMode, settings_.layoutWidth, settings_.layoutHeight);
}

void CChannelWindow::Draw(Painter& painter, const Rect& rect) const {
    DrawRaisedFace(painter, rect);
    DrawCaptionBand(painter, rect);
    painter.DrawRectOutline(rect, Pen{settings_.borderColor, 2, PenStyle::Dotted});
    const Font font{"Verdana", LabelFontHeight(painter), kBlack};
    const Size piece = PieceSize();
    if (IsDivided(piece)) DrawPieceBoundaries(painter, rect, piece);
    for (const LabelLine& line : ChannelLabels({rect, Zoom(), settings_, processor_, piece}))
        painter.DrawText(line.at, line.text, font, rect);
}

// Measured from where the edit began, so a window dragged away and back keeps the owner's
// values, and in whole unzoomed canvas units, so the values never depend on the zoom. Only what
// changed is converted: the owner's values are exact, a conversion only near.
void CChannelWindow::OperatorEdited(OperatorEdit edit, const RectF& from) {
    processor_ = editStart_;
    if (IsParked(from) || IsParked(Rectangle())) return;
    const Rect before = ZoomedRect(from, 1.0);
    const Rect after = ZoomedRect(Rectangle(), 1.0);
    if (after.left != before.left)
        processor_.x = ToEvenProcessorPixels(after.left * settings_.ratioX);
    if (after.top != before.top)
        processor_.y = ToEvenProcessorPixels(after.top * settings_.ratioY);
    // Rounding the moved edges may change the whole-unit size; a move keeps the size exactly.
    if (edit == OperatorEdit::Move) return;
    if (after.Width() != before.Width())
        processor_.w = ToEvenProcessorPixels(after.Width() * settings_.ratioX);
    if (after.Height() != before.Height())
        processor_.h = ToEvenProcessorPixels(after.Height() * settings_.ratioY);
}

// Grey over the top rows, then one black row, both zoomed with the labels they hold; a short
// window keeps the band inside itself.
void CChannelWindow::DrawCaptionBand(Painter& painter, const Rect& rect) const {
    const int rows = std::max(1, ToPixel(kCaptionRows * Zoom()));
    const int bandBottom = std::min(rect.top + rows, rect.bottom);
    painter.FillRect({rect.left, rect.top, rect.right, bandBottom}, kCaptionGrey);
    if (rect.Height() > rows)
        painter.FillRect({rect.left, bandBottom, rect.right, bandBottom + 1}, kBlack);
}

void CChannelWindow::DrawPieceBoundaries(Painter& painter, const Rect& rect, Size piece) const {
    const int mode = settings_.splitMode;
    for (int x : BoundariesInside(rect.left, rect.right, piece.width, PiecesAcross(mode), Zoom()))
        painter.DrawLine({x, rect.top}, {x, rect.bottom}, kPiecePen);
    for (int y : BoundariesInside(rect.top, rect.bottom, piece.height, PiecesDown(mode), Zoom()))
        painter.DrawLine({rect.left, y}, {rect.right, y}, kPiecePen);
}

int CChannelWindow::LabelFontHeight(const Painter& painter) const {
    return std::max(1, ToPixel(painter.DefaultFontHeight() * Zoom()));
}

}  // namespace hsq
