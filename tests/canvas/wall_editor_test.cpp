#include "canvas/wall_editor.h"

#include <gtest/gtest.h>

#include "canvas/channel_window.h"
#include "canvas/recording_observer.h"
#include "canvas/recording_painter.h"

namespace hsq {
namespace {

const Pen kWallPen{kWhite, 2, PenStyle::Dotted};
const Color kLabelGrey{169, 169, 169};

class WallDrawTest : public ::testing::Test {
protected:
    void DrawWall(std::uint8_t columns, std::uint8_t rows, int width, int height) {
        editor.SetWall({columns, rows, width, height});
        painter.Clear();
        editor.Draw(painter);
    }

    // The screen labels, grey; the windows' labels are black.
    std::vector<std::pair<std::string, Point>> Labels() const {
        std::vector<std::pair<std::string, Point>> labels;
        for (const TextCall& text : painter.Of<TextCall>())
            if (text.font.color == kLabelGrey) labels.emplace_back(text.text, text.at);
        return labels;
    }

    CLayoutItemList items;
    RecordingObserver observer;
    CWallEditor editor{items, observer};
    RecordingPainter painter;
};

// Two by two has a label in each quarter; other walls are labelled along the top and down the
// left edge only; no screens stops after S1.
TEST_F(WallDrawTest, ScreenLabelsAndLinesOfEachWall) {
    using Labelled = std::vector<std::pair<std::string, Point>>;
    const struct {
        std::uint8_t columns, rows;
        int width, height;
        Labelled labels;
        std::vector<LineCall> lines;
    } walls[] = {
        {1, 1, 640, 360, {{"S1", {1, 1}}}, {}},
        {2, 2, 801, 601, {{"S1", {1, 1}}, {"S2", {400, 0}}, {"S3", {0, 300}}, {"S4", {400, 300}}},
         {{{400, 0}, {400, 601}, kWallPen}, {{0, 300}, {801, 300}, kWallPen}}},
        {3, 1, 1000, 300, {{"S1", {1, 1}}, {"S2", {333, 0}}, {"S3", {666, 0}}},
         {{{333, 0}, {333, 300}, kWallPen}, {{666, 0}, {666, 300}, kWallPen}}},
        {1, 3, 300, 900, {{"S1", {1, 1}}, {"S2", {0, 300}}, {"S3", {0, 600}}},
         {{{0, 300}, {300, 300}, kWallPen}, {{0, 600}, {300, 600}, kWallPen}}},
        {0, 2, 800, 600, {{"S1", {1, 1}}}, {}},
    };
    for (const auto& wall : walls) {
        DrawWall(wall.columns, wall.rows, wall.width, wall.height);
        EXPECT_EQ(painter.Of<OutlineCall>().back(),
                  (OutlineCall{{0, 0, wall.width, wall.height}, kWallPen}));
        EXPECT_EQ(Labels(), wall.labels) << wall.width;
        EXPECT_EQ(painter.LinesWith(kWallPen), wall.lines) << wall.width;
    }
}

// The wall, its screens and a window's pieces are in the same unzoomed units, so the window's
// piece lines lie on the screen lines at every zoom.
TEST_F(WallDrawTest, TheWallZoomsWithTheWindows) {
    auto window = std::make_unique<CChannelWindow>();
    ChannelWindowSettings settings;
    settings.splitMode = 4;
    settings.layoutWidth = 900;
    settings.layoutHeight = 506;
    window->SetSettings(settings);
    window->SetRectangle({400, 200, 500, 300});
    window->Select(true);
    editor.AddObject(std::move(window));
    for (double zoom : {0.8, 1.25, 1.5, 2.0}) {
        ASSERT_TRUE(editor.SetZoom(zoom));
        DrawWall(2, 2, 900, 506);
        const int x = ToPixel(450 * zoom), y = ToPixel(253 * zoom);
        EXPECT_EQ(painter.Of<OutlineCall>()[1],
                  (OutlineCall{{0, 0, ToPixel(900 * zoom), ToPixel(506 * zoom)}, kWallPen}));
        EXPECT_EQ(Labels().back(), (std::pair<std::string, Point>{"S4", {x, y}}));
        const std::vector<LineCall> walls = painter.LinesWith(kWallPen);
        ASSERT_EQ(walls.size(), 2u);
        const std::vector<LineCall> pieces = painter.LinesWith({kGreen, 1, PenStyle::Dotted});
        ASSERT_EQ(pieces.size(), 2u) << zoom;
        EXPECT_EQ(walls[0].from.x, x);
        EXPECT_EQ(pieces[0].from.x, x);
        EXPECT_EQ(walls[1].from.y, y);
        EXPECT_EQ(pieces[1].from.y, y);
        // Wall before windows (the outline index above), selection markers over them.
        EXPECT_TRUE(std::holds_alternative<FillCall>(painter.calls.back()));
    }
}

}  // namespace
}  // namespace hsq
