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
    EXPECT_EQ(editor.Wall().screenColumns, 2);
    EXPECT_EQ(editor.Wall().screenRows, 2);
    ASSERT_EQ(items.Count(), 4u);
    EXPECT_EQ(DescribeProcessorPlace(Window(0)), "CH1  x 96  y 54  w 768  h 432");
    EXPECT_EQ(DescribeProcessorPlace(Window(3)), "CH4  x 1056  y 594  w 768  h 432");
    EXPECT_EQ(Window(2).Settings().splitMode, 4);
    EXPECT_EQ(Window(2).Settings().index, 3);
    // 1920 / 900 canvas pixels: CH2 starts at 1056 / 2.133 = 495.
    EXPECT_DOUBLE_EQ(Window(1).Rectangle().left, 495.0);
    EXPECT_DOUBLE_EQ(Window(1).Rectangle().right, 855.0);
}

TEST(LayoutReadout, NamesEveryNoticeAndListsEveryTitle) {
    CLayoutItem first, second;
    first.SetTitle("CH1");
    second.SetTitle("CH3");
    EXPECT_EQ(DescribeNotice(LayoutNotice::Moved, {&first, &second}), "8 Moved: CH1, CH3");
    EXPECT_EQ(DescribeNotice(LayoutNotice::Resized, {&second}), "9 Resized: CH3");
    EXPECT_EQ(DescribeNotice(LayoutNotice::SingleSelection, {}), "15 Selected");
    EXPECT_EQ(NoticeName(LayoutNotice::KeyDown), "Key down");
    EXPECT_EQ(NoticeName(LayoutNotice::KeyUp), "Key up");
    EXPECT_EQ(NoticeName(LayoutNotice::KeyLeft), "Key left");
    EXPECT_EQ(NoticeName(static_cast<LayoutNotice>(99)), "Unknown");
}

}  // namespace
}  // namespace hsq
