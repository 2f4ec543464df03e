#include "output/layer_order.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "config/comma_list.h"
#include "config/overlay_order_table.h"

namespace hsq {
namespace {

constexpr std::array<LayerOrder, 4> kPairOrders{{{2, 1, 4, 3}, {2, 1, 3, 4}, {1, 2, 4, 3}, {1, 2, 3, 4}}};

LayerOrder OrderOfTableEntry(std::size_t index) {
    std::vector<std::string> fields;
    SplitCommaList(OverlayOrderTable(index), fields);
    LayerOrder order{};
    for (std::size_t i = 0; i < order.size() && i < fields.size(); ++i)
        order[i] = static_cast<std::uint8_t>(DecimalValue(fields[i]));
    return order;
}

}  // namespace

std::optional<LayerOrder> OrderOfOverlayMode(std::uint8_t configMode, std::uint8_t overlayMode) {
    if (configMode == kOverlayConfigMode && overlayMode < kOverlayOrderCount)
        return OrderOfTableEntry(overlayMode);
    if (configMode == kPairConfigMode && overlayMode < kPairOrders.size())
        return kPairOrders[overlayMode];
    return std::nullopt;
}

std::optional<std::uint8_t> OverlayModeOfOrder(std::uint8_t configMode, const LayerOrder& order) {
    const std::size_t count = configMode == kOverlayConfigMode ? kOverlayOrderCount
                              : configMode == kPairConfigMode  ? kPairOrders.size()
                                                               : 0;
    for (std::size_t mode = 0; mode < count; ++mode) {
        if (OrderOfOverlayMode(configMode, static_cast<std::uint8_t>(mode)) == order)
            return static_cast<std::uint8_t>(mode);
    }
    return std::nullopt;
}

LayerOrder BroughtToTop(const LayerOrder& order, std::uint8_t channel) {
    LayerOrder moved{};
    std::size_t next = 0;
    for (std::uint8_t c : order) {
        if (c != channel && next < moved.size() - 1) moved[next++] = c;
    }
    moved.back() = channel;
    return moved;
}

std::string OrderLabel(const LayerOrder& order) {
    char text[32];
    std::snprintf(text, sizeof text, "IMG%d>IMG%d>IMG%d>IMG%d", order[3], order[2], order[1],
                  order[0]);
    return text;
}

}  // namespace hsq
