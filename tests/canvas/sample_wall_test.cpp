#include "canvas/sample_wall.h"

#include <gtest/gtest.h>

#include "canvas/channel_window.h"
#include "canvas/layout_readout.h"
#include "canvas/recording_observer.h"

namespace hsq {
namespace {

class SampleWallTest : public ::testing::Test {
protected:
    SampleWallTest() {
        editor.SetClientSize({900, 506});
        BuildSampleWall(editor, {900, 506});
    }

    CChannelWindow& Window(std::size_t index) {
        return static_cast<CChannelWindow&>(items.At(index));
    }

    CLayoutItemList items;
    RecordingObserver observer;
    CWallEditor editor{items, observer};
};

TEST_F(SampleWallTest, FourQuadModeWindowsEachInsetInItsQuarter) {
    ASSERT_EQ(items.Count(), 4u);
    EXPECT_EQ(DescribeProcessorPlace(Window(0)), "CH1  x 96  y 54  w 768  h 432");
    EXPECT_EQ(DescribeProcessorPlace(Window(3)), "CH4  x 1056  y 594  w 768  h 432");
    // 1920 / 900 canvas pixels: CH2 starts at 1056 / 2.133 = 495.
    EXPECT_DOUBLE_EQ(Window(1).Rectangle().left, 495.0);
    EXPECT_DOUBLE_EQ(Window(1).Rectangle().right, 855.0);
}

// CH1's top and bottom lie between whole units (25.3 and 227.7), so its whole-unit height
// changes as it moves; a move must still keep its size, at any zoom.
TEST_F(SampleWallTest, AWindowMovedAgainstEachEdgeKeepsItsSize) {
    editor.SetRestraint(Restraint::InsidePaper);
    CChannelWindow& window = Window(0);
    const RectF placed = window.Rectangle();
    const ProcessorRect owner = window.Processor();
    const std::pair<Point, std::string> moves[] = {
        {{-500, 0}, "CH1  x 0  y 54  w 768  h 432"},
        {{800, 0}, "CH1  x 1152  y 54  w 768  h 432"},
        {{0, -300}, "CH1  x 96  y 0  w 768  h 432"},
        {{0, 600}, "CH1  x 96  y 648  w 768  h 432"},  // top 303.6, whole 304: 648.9
    };
    for (double zoom : {1.0, 1.25, 0.8}) {
        for (const auto& [drag, place] : moves) {
            window.SetRectangle(placed);
            window.SetProcessor(owner);
            ASSERT_TRUE(editor.SetZoom(zoom));
            editor.SetScrollPosition({0, 0});
            const Point centre{ToPixel(225 * zoom), ToPixel(126 * zoom)};
            editor.OnMousePress({centre});
            editor.OnMouseMove({{centre.x + drag.x, centre.y + drag.y}});
            editor.OnMouseRelease({{centre.x + drag.x, centre.y + drag.y}});
            EXPECT_EQ(DescribeProcessorPlace(window), place) << zoom;
        }
    }
}

TEST(LayoutReadout, NamesTheNoticeAndListsEveryTitle) {
    CLayoutItem first, second;
    first.SetTitle("CH1");
    second.SetTitle("CH3");
    EXPECT_EQ(DescribeNotice(LayoutNotice::Moved, {&first, &second}), "8 Moved: CH1, CH3");
    EXPECT_EQ(DescribeNotice(LayoutNotice::Resized, {&second}), "9 Resized: CH3");
    EXPECT_EQ(DescribeNotice(LayoutNotice::SingleSelection, {}), "15 Selected");
    EXPECT_EQ(NoticeName(LayoutNotice::KeyLeft), "Key left");
    EXPECT_EQ(NoticeName(static_cast<LayoutNotice>(99)), "Unknown");
}

}  // namespace
}  // namespace hsq
