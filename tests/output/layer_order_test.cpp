#include "output/layer_order.h"

#include <gtest/gtest.h>

namespace hsq {
namespace {

TEST(LayerOrder, TablesBothWaysAndTheTopLayerFirstInTheLabel) {
    EXPECT_EQ(OrderOfOverlayMode(5, 0), (LayerOrder{1, 2, 3, 4}));
    EXPECT_EQ(OrderOfOverlayMode(1, 0), (LayerOrder{2, 1, 4, 3}));
    EXPECT_EQ(OrderOfOverlayMode(1, 4), std::nullopt);
    EXPECT_EQ(OrderOfOverlayMode(0, 0), std::nullopt);
    const LayerOrder raised = BroughtToTop({1, 2, 3, 4}, 2);
    EXPECT_EQ(raised, (LayerOrder{1, 3, 4, 2}));
    EXPECT_EQ(OverlayModeOfOrder(5, raised), 14);
    EXPECT_EQ(OrderLabel(raised), "IMG2>IMG4>IMG3>IMG1");
    EXPECT_EQ(OverlayModeOfOrder(1, {1, 2, 3, 4}), 3);
    EXPECT_EQ(OverlayModeOfOrder(1, {1, 3, 2, 4}), std::nullopt);
}

}  // namespace
}  // namespace hsq
