// The Qt painter against the pixel rules the canvas counts by.
#include "ui/qt_painter.h"

#include <gtest/gtest.h>

#include <QImage>

namespace hsq {
namespace {

class QtPainterTest : public ::testing::Test {
  protected:
    QtPainterTest() { image_.fill(Qt::white); }

    QColor At(int x, int y) const { return image_.pixelColor(x, y); }

    QImage image_{40, 40, QImage::Format_RGB32};
};

TEST_F(QtPainterTest, FillsAndOutlinesStopBeforeRightAndBottom) {
    {
        QPainter painter(&image_);
        QtPainter adapter(painter);
        adapter.FillRect({2, 2, 10, 10}, kRed);
        adapter.DrawRectOutline({20, 20, 30, 30}, Pen{kBlack});
    }
    EXPECT_EQ(At(2, 2), Qt::red);
    EXPECT_EQ(At(9, 9), Qt::red);
    EXPECT_EQ(At(10, 9), Qt::white);
    EXPECT_EQ(At(9, 10), Qt::white);
    // The outline lies on the border pixels 20 and 29, not 30.
    EXPECT_EQ(At(20, 25), Qt::black);
    EXPECT_EQ(At(29, 25), Qt::black);
    EXPECT_EQ(At(25, 29), Qt::black);
    EXPECT_EQ(At(30, 25), Qt::white);
    EXPECT_EQ(At(25, 30), Qt::white);
    EXPECT_EQ(At(25, 25), Qt::white);
}

// A label stays on its window: nothing of it outside the clip. Labels scale from the default
// height; a large label drawn first must not make the next window's labels larger still.
TEST_F(QtPainterTest, TextStaysInsideItsClipAndLeavesTheDefaultFontAlone) {
    int before = 0;
    {
        QPainter painter(&image_);
        QtPainter adapter(painter);
        before = adapter.DefaultFontHeight();
        ASSERT_GT(before, 0);
        adapter.DrawText({0, 0}, "WWWW", Font{"", 30, kBlack}, {0, 0, 12, 40});
        adapter.DrawText({0, 0}, "WWWW", Font{"", 30, kBlack}, {30, 30, 14, 14});  // reversed
        EXPECT_EQ(adapter.DefaultFontHeight(), before);
        EXPECT_EQ(QtPainter(painter).DefaultFontHeight(), before);
    }
    int inside = 0, outside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x) (x < 12 ? inside : outside) += At(x, y) != Qt::white;
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
}

}  // namespace
}  // namespace hsq
