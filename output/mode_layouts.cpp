#include "output/mode_layouts.h"

#include <algorithm>

#include "output/output_space.h"

namespace hsq {
namespace {

constexpr LayerOrder kChannelOrder{1, 2, 3, 4};

// A damaged "aOverlay" layers the channels in their own order.
LayerOrder StoredOrder(const std::array<int, kOutputChannelCount>& stored) {
    constexpr std::array<int, kOutputChannelCount> kNumbers{1, 2, 3, 4};
    if (!std::is_permutation(stored.begin(), stored.end(), kNumbers.begin())) return kChannelOrder;
    LayerOrder order{};
    std::transform(stored.begin(), stored.end(), order.begin(),
                   [](int channel) { return static_cast<std::uint8_t>(channel); });
    return order;
}

// As the output board dialog layers them: in the overlay modes the overlay mode's order where it
// names one, which for pairs lists the upper channel of each pair first.
LayerOrder BottomToTop(std::uint8_t configMode, const ModeSectionValues& stored) {
    const auto selected = OrderOfOverlayMode(configMode, stored.overlayMode);
    if (!selected) return StoredOrder(stored.layerOrder);
    if (configMode == kPairConfigMode)
        return {(*selected)[1], (*selected)[0], (*selected)[3], (*selected)[2]};
    return *selected;
}

ModeLayout LayoutOf(int mode, std::string_view name, std::uint8_t configMode,
                    const ModeSectionValues& stored) {
    ModeLayout layout;
    layout.caption = ModeCaption(mode, name);
    for (int channel = 0; channel < kOutputChannelCount; ++channel) {
        const WindowRect& rect = stored.outputRect[channel];
        layout.channels[channel] = {channel + 1,
                                    rect.x - OutputSpace::kOriginX,
                                    rect.y - OutputSpace::kOriginY,
                                    rect.width,
                                    rect.height,
                                    stored.channelOn[channel] != 0};
    }
    layout.order = BottomToTop(configMode, stored);
    return layout;
}

}  // namespace

std::string ModeCaption(int mode, std::string_view name) {
    return "M" + std::to_string(mode + 1) + "---" + std::string(name);
}

CardModeLayouts ReadModeLayouts(const ProfileStore& store, int card,
                                const OutputResolution& resolution) {
    const std::optional<OutputProfileModes> read =
        ReadOutputProfileModes(store, static_cast<std::uint8_t>(card + 1));
    const OutputProfileModes profile = read.value_or(OutputProfileModes{});
    CardModeLayouts layouts;
    layouts.outputWidth = resolution.width;
    layouts.outputHeight = resolution.height;
    for (int mode = 0; mode < kDisplayModeCount; ++mode)
        layouts.modes[mode] =
            LayoutOf(mode, profile.names[mode], profile.configMode, profile.modes[mode]);
    return layouts;
}

void TakeRecord(CardModeLayouts& layouts, const OutputBoardRecord& record) {
    if (!record.loaded) return;
    for (int mode = 0; mode < kDisplayModeCount; ++mode)
        layouts.modes[mode].caption = ModeCaption(mode, record.modeNames[mode]);
    ModeSectionValues inForce;
    inForce.overlayMode = record.overlayMode;
    std::copy(record.layerOrder.begin(), record.layerOrder.end(), inForce.layerOrder.begin());
    inForce.channelOn = record.channelOn;
    inForce.outputRect = record.outputRect;
    const int mode = record.displayMode % kDisplayModeCount;
    layouts.modes[mode] = LayoutOf(mode, record.modeNames[mode], record.configMode, inForce);
}

CardModeLayouts CurrentModeLayouts(const ProfileStore& store, int card,
                                   const OutputResolution& resolution,
                                   const OutputBoardRecord& record) {
    CardModeLayouts layouts = ReadModeLayouts(store, card, resolution);
    TakeRecord(layouts, record);
    return layouts;
}

}  // namespace hsq
