#include "canvas/channel_window.h"

#include <gtest/gtest.h>

#include "canvas/channel_labels.h"
#include "canvas/layout_editor.h"
#include "canvas/recording_observer.h"
#include "canvas/recording_painter.h"

namespace hsq {
namespace {

ChannelWindowSettings Settings(std::uint8_t kind, std::uint8_t index, std::uint8_t splitMode = 0) {
    ChannelWindowSettings settings;
    settings.kind = kind;
    settings.index = index;
    settings.splitMode = splitMode;
    settings.layoutWidth = 800;
    settings.layoutHeight = 600;
    return settings;
}

// A 450 x 240 canvas for a 1920 x 1080 output: the window's canvas rectangle converts back to
// the owner's values only near, so only what the operator moves may change them.
class ConversionTest : public ::testing::Test {
protected:
    static constexpr ProcessorRect kOwner{96, 54, 768, 432};

    ConversionTest() {
        EXPECT_TRUE(items.SetPaperSize({450, 240}));
        editor.SetClientSize({450, 240});
        editor.SetRestraint(Restraint::InsidePaper);
        auto added = std::make_unique<CChannelWindow>();
        ChannelWindowSettings settings = Settings(kOutputChannelWindow, 1);
        settings.ratioX = 1920.0 / 450;
        settings.ratioY = 1080.0 / 240;
        added->SetSettings(settings);
        window = &static_cast<CChannelWindow&>(editor.AddObject(std::move(added)));
        Place(1.0);
    }

    void Place(double zoom) {
        window->SetRectangle({22.5, 12, 202.5, 108});
        window->SetProcessor(kOwner);
        EXPECT_TRUE(editor.SetZoom(zoom));
    }

    void DrawTimes(int times) {
        for (int i = 0; i < times; ++i) editor.Draw(painter);
    }

    CLayoutItemList items;
    RecordingObserver observer;
    CLayoutEditor editor{items, observer};
    RecordingPainter painter;
    CChannelWindow* window = nullptr;
};

// The owner parks a window it does not show beyond the canvas, reversed.
TEST_F(ConversionTest, DrawsAtAnyZoomAndMovesOfAParkedWindowKeepTheOwnersValues) {
    for (double zoom : {1.0, 1.25, 2.0, 0.5, 0.8, 1.0}) {
        ASSERT_TRUE(editor.SetZoom(zoom));
        DrawTimes(6);
        EXPECT_EQ(window->Processor(), kOwner) << zoom;
    }
    window->SetRectangle({580, 0, 0, 0});
    DrawTimes(6);
    items.SelectOnly(window);
    ASSERT_TRUE(editor.OnKeyPress({Key::Right, 0}));
    DrawTimes(1);
    EXPECT_EQ(window->Processor(), kOwner);
}

// Only the edges that moved convert, from where the window lies in whole unzoomed units; a move
// keeps the size.
TEST_F(ConversionTest, AMoveOrResizeConvertsTheMovedEdgesAtAnyZoom) {
    const struct {
        double zoom;
        PointF from;  // canvas units
        Point drag;   // client pixels
        ProcessorRect expected;
    } rows[] = {
        {1.0, {112.5, 60}, {77, 0}, {426, 54, 768, 432}},   // left 99.5, whole 100: 426.67
        {1.0, {112.5, 60}, {78, 0}, {430, 54, 768, 432}},   // left 100.5, whole 101: 430.93
        {2.0, {112.5, 60}, {155, 0}, {426, 54, 768, 432}},  // 77.5 units
        {0.5, {112.5, 60}, {39, 0}, {430, 54, 768, 432}},   // 78 units
        {1.0, {112.5, 60}, {0, 10}, {96, 98, 768, 432}},    // top 22: 99, made even
        {1.25, {112.5, 60}, {0, -30}, {96, 0, 768, 432}},   // held at the top edge
        {1.0, {203, 108}, {20, 10}, {96, 54, 852, 476}},    // bottom-right handle: 200 x 106
        {1.0, {23, 60}, {-13, 0}, {42, 54, 822, 432}},      // left edge to 9.5, whole 10
    };
    for (const auto& row : rows) {
        Place(row.zoom);
        const Point from{ToPixel(row.from.x * row.zoom), ToPixel(row.from.y * row.zoom)};
        const Point to{from.x + row.drag.x, from.y + row.drag.y};
        editor.OnMousePress({from});
        editor.OnMouseMove({to});
        editor.OnMouseRelease({to});
        EXPECT_EQ(window->Processor(), row.expected) << row.zoom << " " << row.drag.x;
    }
}

TEST_F(ConversionTest, ADragAwayAndBackKeepsTheOwnersValues) {
    editor.OnMousePress({{112, 60}});
    editor.OnMouseMove({{160, 90}});
    EXPECT_EQ(window->Processor(), (ProcessorRect{302, 188, 768, 432}));  // labels follow
    editor.OnMouseMove({{112, 60}});
    editor.OnMouseRelease({{112, 60}});
    EXPECT_EQ(window->Processor(), kOwner);
    EXPECT_EQ(observer.Notices().back().notice, LayoutNotice::SingleSelection);
}

std::vector<LabelLine> Labels(const Rect& rect, const ChannelWindowSettings& settings,
                              Size piece = {}, double zoom = 1.0) {
    return ChannelLabels({rect, zoom, settings, {100, 200, 640, 360}, piece});
}

// The lines of a block, spaced as the zoom spaces them.
std::vector<LabelLine> Block(Point at, const std::string& name, int spacing = 1) {
    std::vector<LabelLine> lines;
    if (!name.empty()) lines.push_back({{at.x, at.y + 5 * spacing}, name});
    lines.push_back({{at.x, at.y + 20 * spacing}, "W_H:[640,360]"});
    lines.push_back({{at.x, at.y + 35 * spacing}, "X_Y:[100,200]"});
    return lines;
}

std::vector<LabelLine> Joined(std::initializer_list<std::vector<LabelLine>> blocks) {
    std::vector<LabelLine> all;
    for (const auto& block : blocks) all.insert(all.end(), block.begin(), block.end());
    return all;
}

TEST(ChannelLabelTest, UndividedNamesByKindAndIndexAndPositionFromTheOrigin) {
    const Rect rect{10, 20, 300, 200};
    EXPECT_EQ(Labels(rect, Settings(kInputCardWindow, 2)), Block({10, 20}, "CH:[PIP]"));
    EXPECT_EQ(Labels(rect, Settings(kInputImageWindow, 6)), Block({10, 20}, "IMG:[2]"));
    EXPECT_EQ(Labels(rect, Settings(kInputImageWindow, 4)), Block({10, 20}, "IMG:[4]"));
    ChannelWindowSettings settings = Settings(kOutputChannelWindow, 1);
    settings.originX = 60;
    settings.originY = -8;
    EXPECT_EQ(Labels(rect, settings).back().text, "X_Y:[40,208]");
}

// Image windows name each quarter; output channels have no names, input cards their own.
TEST(QuadLabelTest, OneBlockPerCoveredQuarter) {
    const Size piece{400, 300};
    const ChannelWindowSettings quad = Settings(kInputImageWindow, 1, 4);
    const ChannelWindowSettings output = Settings(kOutputChannelWindow, 1, 4);
    EXPECT_EQ(Labels({500, 50, 700, 400}, quad, piece),
              Joined({Block({500, 50}, "CH:[2]"), Block({500, 300}, "CH:[4]")}));
    EXPECT_EQ(Labels({100, 50, 600, 400}, quad, piece),
              Joined({Block({100, 50}, "CH:[1]"), Block({400, 50}, "CH:[2]"),
                      Block({100, 300}, "CH:[3]"), Block({400, 300}, "CH:[4]")}));
    // Right and bottom edges on a boundary touch, but do not enter, the next quarters.
    EXPECT_EQ(Labels({0, 0, 400, 300}, output, piece), Block({0, 0}, ""));
    EXPECT_EQ(Labels({410, 310, 500, 400}, Settings(kInputCardWindow, 2, 4), piece),
              Block({410, 310}, "CH:[PIP]"));
}

// Room is counted unzoomed: a zoom shows the same lines, only larger.
TEST(PieceLabelTest, BlocksAtEachPiecesLeadingEdgeAndLessInSmallWindows) {
    EXPECT_EQ(Labels({10, 0, 800, 100}, Settings(kOutputChannelWindow, 1, 5), {266, 600}),
              Joined({Block({10, 0}, ""), Block({266, 0}, ""), Block({532, 0}, "")}));
    const ChannelWindowSettings stacked = Settings(kOutputChannelWindow, 1, 3);
    EXPECT_EQ(Labels({0, 250, 200, 350}, stacked, {800, 300}),
              Joined({Block({0, 250}, ""), Block({0, 300}, "")}));
    EXPECT_TRUE(Labels({0, 280, 60, 310}, stacked, {800, 300}).empty());

    const ChannelWindowSettings sideBySide = Settings(kOutputChannelWindow, 1, 2);
    EXPECT_EQ(Labels({380, 0, 440, 30}, sideBySide, {400, 600}),
              (std::vector<LabelLine>{{{380, 5}, "W_H:[640,360]"}, {{400, 0}, "W_H:[640,360]"}}));
    EXPECT_EQ(Labels({760, 0, 880, 60}, sideBySide, {400, 600}, 2.0),
              (std::vector<LabelLine>{{{760, 10}, "W_H:[640,360]"}, {{800, 0}, "W_H:[640,360]"}}));
    EXPECT_TRUE(Labels({395, 0, 405, 10}, sideBySide, {400, 600}).empty());
}

class ChannelDrawTest : public ::testing::Test {
protected:
    void Draw(const ChannelWindowSettings& settings, const RectF& rect, double zoom = 1.0) {
        painter.Clear();
        window.SetSettings(settings);
        window.SetRectangle(rect);
        window.SetZoom(zoom);
        window.Draw(painter, window.PixelRect());
    }

    const Pen kPiecePen{kGreen, 1, PenStyle::Dotted};
    RecordingPainter painter{11};
    CChannelWindow window;
};

TEST_F(ChannelDrawTest, BodyCaptionBandOutlineThenLabels) {
    ChannelWindowSettings settings = Settings(kInputCardWindow, 1);
    settings.borderColor = {200, 0, 0};
    Draw(settings, {10, 20, 210, 120});
    const std::vector<FillCall> fills = painter.Of<FillCall>();
    ASSERT_EQ(fills.size(), 3u);
    EXPECT_EQ(fills[0].rect, (Rect{10, 20, 210, 120}));                        // body
    EXPECT_EQ(fills[1], (FillCall{{10, 20, 210, 39}, Color{196, 196, 196}}));  // 19 grey rows
    EXPECT_EQ(fills[2], (FillCall{{10, 39, 210, 40}, kBlack}));                // the 20th, black
    const std::vector<OutlineCall> outlines = painter.Of<OutlineCall>();
    ASSERT_EQ(outlines.size(), 2u);
    EXPECT_EQ(outlines[1], (OutlineCall{{10, 20, 210, 120}, {{200, 0, 0}, 2, PenStyle::Dotted}}));
    ASSERT_TRUE(std::holds_alternative<TextCall>(painter.calls.back()));
    EXPECT_EQ(painter.Texts(), (std::vector<std::string>{"CH:[Main]", "W_H:[0,0]", "X_Y:[0,0]"}));

    Draw(settings, {0, 0, 50, 10});  // too short for the band: it stays inside
    ASSERT_EQ(painter.Of<FillCall>().size(), 2u);
    EXPECT_EQ(painter.Of<FillCall>()[1].rect, (Rect{0, 0, 50, 10}));
}

// The clip keeps a block past a piece boundary off the windows beside it; all zooms with the
// window.
TEST_F(ChannelDrawTest, AZoomedWindowAcrossPiecesScalesItsBandLinesAndLabels) {
    Draw(Settings(kOutputChannelWindow, 1, 2), {300, 0, 500, 100}, 1.5);
    EXPECT_EQ(painter.Of<FillCall>()[1].rect, (Rect{450, 0, 750, 29}));  // 19 rows, zoomed
    EXPECT_EQ(painter.LinesWith(kPiecePen), (std::vector<LineCall>{{{600, 0}, {600, 150}, kPiecePen}}));
    const std::vector<TextCall> texts = painter.Of<TextCall>();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[2].at, (Point{600, 30}));  // the second piece's block, 20 units down
    for (const TextCall& text : texts) {
        EXPECT_EQ(text.font, (Font{"Verdana", 17, kBlack}));
        EXPECT_EQ(text.clip, (Rect{450, 0, 750, 150}));
    }
    // A window whose edges lie on boundaries crosses none: no lines.
    Draw(Settings(kOutputChannelWindow, 1, 4), {0, 0, 400, 300});
    EXPECT_TRUE(painter.LinesWith(kPiecePen).empty());
}

TEST_F(ChannelDrawTest, PieceSizesOfEveryModeAndNoneForATooSmallArea) {
    const Size expected[] = {{400, 600}, {800, 300}, {400, 300}, {266, 600},
                             {800, 200}, {200, 600}, {800, 150}};
    for (std::uint8_t mode = 2; mode <= 8; ++mode) {
        window.SetSettings(Settings(kOutputChannelWindow, 1, mode));
        EXPECT_EQ(window.PieceSize(), expected[mode - 2]) << int{mode};
    }
    ChannelWindowSettings settings = Settings(kOutputChannelWindow, 5, 7);
    settings.layoutWidth = 3;
    Draw(settings, {0, 0, 200, 100});
    EXPECT_EQ(window.PieceSize(), (Size{}));
    EXPECT_TRUE(painter.LinesWith(kPiecePen).empty());
    EXPECT_EQ(painter.Texts().front(), "IMG:[5]");
}

}  // namespace
}  // namespace hsq
