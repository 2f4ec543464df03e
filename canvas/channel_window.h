#pragma once

#include <memory>

#include "canvas/channel_window_fields.h"
#include "canvas/layout_item.h"

namespace hsq {

// The rectangle that stands for one picture on a layout canvas. When the operator moves or
// resizes it, it converts what changed to processor pixels, which the owning dialog then reads.
// Drawing converts nothing: the owner's values stand until the operator acts, at every zoom.
class CChannelWindow : public CLayoutItem {
public:
    static constexpr int kCaptionRows = 19;

    CChannelWindow();

    std::unique_ptr<CLayoutItem> Clone() const override;
    void Draw(Painter& painter, const Rect& rect) const override;
    void BeginOperatorEdit() override { editStart_ = processor_; }
    void OperatorEdited(OperatorEdit edit, const RectF& from) override;

    const ChannelWindowSettings& Settings() const { return settings_; }
    void SetSettings(const ChannelWindowSettings& settings) { settings_ = settings; }
    const ProcessorRect& Processor() const { return processor_; }
    void SetProcessor(const ProcessorRect& processor) { processor_ = processor; }
    // The piece of the output area its split mode divides into; {0, 0} when undivided.
    Size PieceSize() const;

private:
    void DrawCaptionBand(Painter& painter, const Rect& rect) const;
    void DrawPieceBoundaries(Painter& painter, const Rect& rect, Size piece) const;
    int LabelFontHeight(const Painter& painter) const;

    ChannelWindowSettings settings_;
    ProcessorRect processor_;
    // The processor values when the operator's present edit began.
    ProcessorRect editStart_;
};

}  // namespace hsq
