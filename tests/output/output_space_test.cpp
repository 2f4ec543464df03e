#include "output/output_space.h"

#include <gtest/gtest.h>

namespace hsq {
namespace {

using Field = OutputSpace::Field;

const OutputSpace kFullHd(OutputResolution{6, 1920, 1080});

TEST(OutputSpace, ExtentsAndWhereAFullWindowIsDrawn) {
    EXPECT_EQ(kFullHd.ExtentWidth(), 2000);
    EXPECT_EQ(kFullHd.ExtentHeight(), 1112);
    const RectF drawn = kFullHd.CanvasRect({32, 8, 1920, 1080});
    EXPECT_NEAR(drawn.left, 7.2, 0.005);
    EXPECT_NEAR(drawn.top, 1.73, 0.005);
    EXPECT_NEAR(drawn.right, 439.2, 0.005);
    EXPECT_NEAR(drawn.bottom, 234.82, 0.005);
}

struct EditCase {
    const char* name;
    ProcessorRect window;
    Field field;
    int typed;
    std::optional<ProcessorRect> expected;  // nothing: refused
};

const ProcessorRect kFull{32, 8, 1920, 1080};

TEST(OutputSpace, AFieldEditIsAcceptedOnlyWithinTheExtent) {
    for (const EditCase& c : {
        EditCase{"WidthAtItsLimit", {0, 8, 100, 1080}, Field::W, 1936, ProcessorRect{0, 8, 1936, 1080}},
        EditCase{"WidthPastItsLimit", {0, 8, 100, 1080}, Field::W, 1937, std::nullopt},
        EditCase{"WidthPastTheRightEdge", {100, 8, 100, 1080}, Field::W, 1900, std::nullopt},
        EditCase{"NegativeHeight", kFull, Field::H, -2, std::nullopt},
        EditCase{"XAtTheLeftEdge", kFull, Field::X, -32, ProcessorRect{0, 8, 1920, 1080}},
        EditCase{"XPastTheLeftEdge", kFull, Field::X, -33, std::nullopt},
        EditCase{"YAtTheBottom", kFull, Field::Y, 24, ProcessorRect{32, 32, 1920, 1080}},
        EditCase{"YPastTheBottom", kFull, Field::Y, 25, std::nullopt},
        EditCase{"XAsLargeAsAnIntHolds", kFull, Field::X, 2147483647, std::nullopt},
        EditCase{"YAsLargeAsAnIntHolds", kFull, Field::Y, 2147483647, std::nullopt}}) {
        EXPECT_EQ(kFullHd.Edited(c.window, c.field, c.typed), c.expected) << c.name;
    }
}

TEST(OutputSpace, ValidityCutAndTheWire) {
    EXPECT_FALSE(kFullHd.Valid({32, 8, 46, 100}));
    EXPECT_TRUE(kFullHd.Valid({32, 8, 48, 48}));
    EXPECT_FALSE(kFullHd.Valid({100, 8, 1920, 100}));  // beyond the right edge
    bool cut = false;
    EXPECT_EQ(kFullHd.Cut({0, 0, 1990, 1100}, cut), (ProcessorRect{0, 0, 1936, 1096}));
    EXPECT_TRUE(cut);
    EXPECT_EQ(ToWindowRect({300, 8, 1280, 720}), (WindowRect{300, 1280, 8, 720}));
    EXPECT_FALSE(ToWindowRect({-2, 8, 1280, 720}));
    EXPECT_FALSE(ToWindowRect({0, 8, 65536, 720}));  // refused, never wrapped to 0
}

}  // namespace
}  // namespace hsq
