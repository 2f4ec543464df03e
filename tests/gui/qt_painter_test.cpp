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

// Labels scale from the default height; a large label drawn first must not make the next
// window's labels larger still.
TEST_F(QtPainterTest, DrawingTextLeavesTheDefaultFontHeightAlone) {
    QPainter painter(&image_);
    QtPainter adapter(painter);
    const int before = adapter.DefaultFontHeight();
    ASSERT_GT(before, 0);
    adapter.DrawText({0, 0}, "W_H:[768,432]", Font{"Verdana", before * 3, kBlack});
    EXPECT_EQ(adapter.DefaultFontHeight(), before);
    EXPECT_EQ(QtPainter(painter).DefaultFontHeight(), before);
}

}  // namespace
}  // namespace hsq
