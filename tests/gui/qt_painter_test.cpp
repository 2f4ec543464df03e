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
    // The outline lies on the border pixels 20 and 29, not 30.
    const struct {
        int x, y;
        QColor color;
    } pixels[] = {{2, 2, Qt::red},    {9, 9, Qt::red},    {10, 9, Qt::white},  {9, 10, Qt::white},
                  {20, 25, Qt::black}, {29, 25, Qt::black}, {25, 29, Qt::black}, {30, 25, Qt::white},
                  {25, 30, Qt::white}, {25, 25, Qt::white}};
    for (const auto& pixel : pixels)
        EXPECT_EQ(At(pixel.x, pixel.y), pixel.color) << pixel.x << "," << pixel.y;
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
