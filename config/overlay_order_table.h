#pragma once

#include <cstddef>
#include <string_view>

namespace hsq {

inline constexpr std::size_t kOverlayOrderCount = 24;

// The layer order ("aOverlay") that a layer-order index stands for; "" past the table's end.
std::string_view OverlayOrderTable(std::size_t index);

}  // namespace hsq
