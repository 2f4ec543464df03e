#include "config/overlay_order_table.h"

#include <array>

namespace hsq {
namespace {

constexpr std::array<std::string_view, kOverlayOrderCount> kOrders{
    "1,2,3,4", "2,1,3,4", "1,3,2,4", "3,1,2,4", "2,3,1,4", "3,2,1,4", "1,2,4,3", "2,1,4,3",
    "1,4,2,3", "4,1,2,3", "4,2,1,3", "2,4,1,3", "1,4,3,2", "4,1,3,2", "1,3,4,2", "3,1,4,2",
    "3,4,1,2", "4,3,1,2", "4,3,2,1", "3,4,2,1", "4,2,3,1", "2,4,3,1", "2,3,4,1", "3,2,4,1",
};

}  // namespace

std::string_view OverlayOrderTable(std::size_t index) {
    return index < kOrders.size() ? kOrders[index] : std::string_view();
}

}  // namespace hsq
