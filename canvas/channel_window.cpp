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

// The piece boundaries strictly inside low..high along one direction.
std::vector<int> BoundariesInside(int low, int high, int pieceExtent, int pieces) {
    std::vector<int> boundaries;
    for (int k = 1; k < pieces; ++k) {
        const int boundary = k * pieceExtent;
        if (boundary > low && boundary < high) boundaries.push_back(boundary);
    }
    return boundaries;
}

}  // namespace

CChannelWindow::CChannelWindow() : CLayoutItem("button") {
    SetName("button");
    SetMinimumSize({1, 1});
}

std::unique_ptr<CLayoutItem> CChannelWindow::Clone() const {
    auto clone = std::make_unique<CChannelWindow>(*this);
    clone->drawCount_ = 0;
    clone->SetLastDrawnRect({});
    return clone;
}

void CChannelWindow::Draw(Painter& painter, const Rect& rect) {
    ConvertToProcessor(rect);
    DrawRaisedFace(painter, rect);
    DrawCaptionBand(painter, rect);
    painter.DrawRectOutline(rect, Pen{settings_.borderColor, 2, PenStyle::Dotted});
    const Font font{"Verdana", LabelFontHeight(painter), kBlack};
    piece_ = hsq::PieceSize(settings_.splitMode, settings_.layoutWidth, settings_.layoutHeight);
    if (IsDivided(piece_)) DrawPieceBoundaries(painter, rect);
    for (const LabelLine& line : ChannelLabels({rect, settings_, processor_, piece_}))
        painter.DrawText(line.at, line.text, font);
}

// Only what changed since the last draw is converted, so a pure move keeps w and h exactly.
void CChannelWindow::ConvertToProcessor(const Rect& rect) {
    if (drawCount_ >= kDrawsBeforeConversion) {
        const Rect& last = LastDrawnRect();
        if (rect.left != last.left)
            processor_.x = ToEvenProcessorPixels(rect.left * settings_.ratioX);
        if (rect.top != last.top)
            processor_.y = ToEvenProcessorPixels(rect.top * settings_.ratioY);
        if (rect.Width() != last.Width())
            processor_.w = ToEvenProcessorPixels(rect.Width() * settings_.ratioX);
        if (rect.Height() != last.Height())
            processor_.h = ToEvenProcessorPixels(rect.Height() * settings_.ratioY);
    }
    SetLastDrawnRect(rect);
    if (drawCount_ < INT_MAX) ++drawCount_;
}

// Grey over the top rows, then one black row; a short window keeps the band inside itself.
void CChannelWindow::DrawCaptionBand(Painter& painter, const Rect& rect) {
    const int bandBottom = std::min(rect.top + kCaptionRows, rect.bottom);
    painter.FillRect({rect.left, rect.top, rect.right, bandBottom}, kCaptionGrey);
    if (rect.Height() > kCaptionRows)
        painter.FillRect({rect.left, bandBottom, rect.right, bandBottom + 1}, kBlack);
}

void CChannelWindow::DrawPieceBoundaries(Painter& painter, const Rect& rect) const {
    const int mode = settings_.splitMode;
    for (int x : BoundariesInside(rect.left, rect.right, piece_.width, PiecesAcross(mode)))
        painter.DrawLine({x, rect.top}, {x, rect.bottom}, kPiecePen);
    for (int y : BoundariesInside(rect.top, rect.bottom, piece_.height, PiecesDown(mode)))
        painter.DrawLine({rect.left, y}, {rect.right, y}, kPiecePen);
}

int CChannelWindow::LabelFontHeight(const Painter& painter) const {
    return std::max(1, ToPixel(painter.DefaultFontHeight() * Zoom()));
}

}  // namespace hsq
