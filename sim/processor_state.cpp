#include "sim/processor_state.h"

namespace hsq::sim {

namespace {

constexpr BorderForm kDefaultBorder{0, 128, 128, 128, 4};

// A four-way split of a 1920 x 1080 output: channel k shows input k in its quarter. Output
// windows start at the canvas origin (32, 8) that the output board window draws from.
DisplayMode SplitterMode() {
    DisplayMode mode;
    for (int channel = 0; channel < kChannels; ++channel) {
        ChannelState& state = mode.channels[channel];
        state.inputPort = static_cast<std::uint8_t>(channel);
        state.crop = {0, 1920, 0, 1080};
        state.output = {static_cast<std::uint16_t>(32 + (channel % 2) * 960), 960,
                        static_cast<std::uint16_t>(8 + (channel / 2) * 540), 540};
    }
    return mode;
}

}  // namespace

ProcessorState::ProcessorState(const CardSet& cards) : present(cards) {
    for (OutputBoardState& board : outputs) {
        board.borders.fill(kDefaultBorder);
        board.modes.fill(SplitterMode());
    }
}

}  // namespace hsq::sim
