#pragma once

#include <memory>

#include "canvas/channel_window_fields.h"
#include "canvas/layout_item.h"

namespace hsq {

// The rectangle that stands for one picture on a layout canvas. Each draw converts the canvas
// rectangle it is drawn in back to processor pixels, which the owning dialog then reads.
class CChannelWindow : public CLayoutItem {
public:
    // The owner's processor values survive this many draws, while the canvas settles.
    static constexpr int kDrawsBeforeConversion = 5;
    static constexpr int kCaptionRows = 19;

    CChannelWindow();

    // A fresh window (no draws yet) with this one's entity and channel fields.
    std::unique_ptr<CLayoutItem> Clone() const override;
    void Draw(Painter& painter, const Rect& rect) override;

    const ChannelWindowSettings& Settings() const { return settings_; }
    void SetSettings(const ChannelWindowSettings& settings) { settings_ = settings; }
    const ProcessorRect& Processor() const { return processor_; }
    void SetProcessor(const ProcessorRect& processor) { processor_ = processor; }
    int DrawCount() const { return drawCount_; }
    // As computed at the last draw.
    Size PieceSize() const { return piece_; }

private:
    void ConvertToProcessor(const Rect& rect);
    static void DrawCaptionBand(Painter& painter, const Rect& rect);
    void DrawPieceBoundaries(Painter& painter, const Rect& rect) const;
    int LabelFontHeight(const Painter& painter) const;

    ChannelWindowSettings settings_;
    ProcessorRect processor_;
    int drawCount_ = 0;
    Size piece_;
};

}  // namespace hsq
