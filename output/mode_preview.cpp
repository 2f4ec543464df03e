#include "output/mode_preview.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace hsq {
namespace {

constexpr Color kOutputFill{40, 44, 52};
constexpr Color kOutputEdge{128, 128, 128};
constexpr Color kOffColor{176, 176, 176};
constexpr std::array<Color, kOutputChannelCount> kChannelFills{
    {{70, 130, 180}, {60, 150, 90}, {190, 140, 40}, {180, 75, 75}}};
constexpr int kSmallestNumber = 8;
constexpr int kNumberInset = 2;

Rect Overlap(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

bool Empty(const Rect& rect) { return rect.Width() <= 0 || rect.Height() <= 0; }

// The output picture as large as it fits in area, centred.
Rect FittedOutput(const Rect& area, int width, int height) {
    const double scale = std::min(area.Width() / static_cast<double>(width),
                                  area.Height() / static_cast<double>(height));
    const int fittedWidth = static_cast<int>(std::lround(width * scale));
    const int fittedHeight = static_cast<int>(std::lround(height * scale));
    const int left = area.left + (area.Width() - fittedWidth) / 2;
    const int top = area.top + (area.Height() - fittedHeight) / 2;
    return {left, top, left + fittedWidth, top + fittedHeight};
}

class PreviewPainter {
  public:
    PreviewPainter(Painter& painter, const Rect& output, const CardModeLayouts& card)
        : painter_(painter), output_(output),
          scaleX_(output.Width() / static_cast<double>(card.outputWidth)),
          scaleY_(output.Height() / static_cast<double>(card.outputHeight)),
          numberHeight_(std::max(kSmallestNumber,
                                 std::min(output.Height() / 4, painter.DefaultFontHeight()))) {}

    void Output() {
        painter_.FillRect(output_, kOutputFill);
        painter_.DrawRectOutline(output_, Pen{kOutputEdge});
    }

    void Channel(const ChannelLayout& channel) {
        const Rect shown = Overlap(Scaled(channel), output_);
        if (Empty(shown) || channel.number < 1 || channel.number > kOutputChannelCount) return;
        const Color fill = kChannelFills[channel.number - 1];
        if (channel.on) {
            painter_.FillRect(shown, fill);
            painter_.DrawRectOutline(shown, Pen{kBlack});
        } else {
            painter_.DrawRectOutline(shown, Pen{kOffColor, 1, PenStyle::Dotted});
        }
        const Font font{"Verdana", numberHeight_, channel.on ? kWhite : kOffColor};
        painter_.DrawText({shown.left + kNumberInset, shown.top + 1},
                          std::to_string(channel.number), font, shown);
    }

  private:
    // Output pixels onto the fitted picture; even a window far outside it stays in int range.
    Rect Scaled(const ChannelLayout& channel) const {
        const auto across = [&](double x) {
            return output_.left + static_cast<int>(std::lround(x * scaleX_));
        };
        const auto down = [&](double y) {
            return output_.top + static_cast<int>(std::lround(y * scaleY_));
        };
        return {across(channel.x), down(channel.y),
                across(static_cast<double>(channel.x) + channel.width),
                down(static_cast<double>(channel.y) + channel.height)};
    }

    Painter& painter_;
    const Rect output_;
    const double scaleX_;
    const double scaleY_;
    const int numberHeight_;
};

}  // namespace

void DrawModePreview(Painter& painter, const Rect& area, const CardModeLayouts& card, int mode) {
    if (mode < 0 || mode >= kDisplayModeCount || card.outputWidth <= 0 || card.outputHeight <= 0 ||
        Empty(area))
        return;
    const Rect output = FittedOutput(area, card.outputWidth, card.outputHeight);
    if (Empty(output)) return;
    PreviewPainter preview(painter, output, card);
    preview.Output();
    const ModeLayout& layout = card.modes[mode];
    for (std::uint8_t number : layout.order) {
        if (number >= 1 && number <= kOutputChannelCount)
            preview.Channel(layout.channels[number - 1]);
    }
}

}  // namespace hsq
