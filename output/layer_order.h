#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace hsq {

// Four channel numbers 1..4. In configuration mode 5 from the bottom layer to the top; in mode
// 1 two pairs, CH1/CH2 then CH3/CH4, the upper layer of each pair first.
using LayerOrder = std::array<std::uint8_t, 4>;

inline constexpr std::uint8_t kOverlayConfigMode = 5;
inline constexpr std::uint8_t kPairConfigMode = 1;

// The order an overlay mode selects; nothing for another configuration mode or a mode the
// tables do not have.
std::optional<LayerOrder> OrderOfOverlayMode(std::uint8_t configMode, std::uint8_t overlayMode);
// The overlay mode that selects an order; nothing for an order the tables do not list.
std::optional<std::uint8_t> OverlayModeOfOrder(std::uint8_t configMode, const LayerOrder& order);
// Channel (1..4) moved to the top layer, the others keeping their order.
LayerOrder BroughtToTop(const LayerOrder& order, std::uint8_t channel);
// "IMG%d>IMG%d>IMG%d>IMG%d", the top layer first.
std::string OrderLabel(const LayerOrder& order);

}  // namespace hsq
