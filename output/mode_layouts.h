#pragma once

#include <array>
#include <string>
#include <string_view>

#include "config/output_board_profile.h"
#include "config/output_resolution.h"
#include "config/profile_store.h"
#include "output/layer_order.h"

namespace hsq {

// "M%d---%s": how the dialogs name display mode 0..15.
std::string ModeCaption(int mode, std::string_view name);

// One channel's output window on the output picture, in output pixels from its top left corner,
// as the output board dialog's fields show it.
struct ChannelLayout {
    int number = 0;  // 1..4
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool on = false;
    friend bool operator==(const ChannelLayout&, const ChannelLayout&) = default;
};

struct ModeLayout {
    std::string caption;  // "M%d---%s"
    std::array<ChannelLayout, kOutputChannelCount> channels{};  // CH1..CH4
    // Channel numbers from the bottom layer to the top; always each of 1..4 once.
    LayerOrder order{1, 2, 3, 4};
    friend bool operator==(const ModeLayout&, const ModeLayout&) = default;
};

// One output card's sixteen display modes on an output picture of the system's resolution.
struct CardModeLayouts {
    int outputWidth = 0;
    int outputHeight = 0;
    std::array<ModeLayout, kDisplayModeCount> modes{};
    friend bool operator==(const CardModeLayouts&, const CardModeLayouts&) = default;
};

// card: 0 for K, 1 for L. Reads the card's profile once and sends nothing. A file that cannot be
// read gives sixteen unnamed modes with every channel off and empty.
CardModeLayouts ReadModeLayouts(const ProfileStore& store, int card,
                                const OutputResolution& resolution);

// The names and the mode in force as a loaded record holds them: newer than the file until the
// record is saved (a mosaic, a saved window, a channel switched off).
void TakeRecord(CardModeLayouts& layouts, const OutputBoardRecord& record);

// Both: what the dialogs show of a card.
CardModeLayouts CurrentModeLayouts(const ProfileStore& store, int card,
                                   const OutputResolution& resolution,
                                   const OutputBoardRecord& record);

}  // namespace hsq
