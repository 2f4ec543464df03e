#include "canvas/channel_window.h"

#include <gtest/gtest.h>

#include "canvas/channel_labels.h"
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

void DrawTimes(CChannelWindow& window, const Rect& rect, int times) {
    RecordingPainter painter;
    for (int i = 0; i < times; ++i) window.Draw(painter, rect);
}

class ConversionTest : public ::testing::Test {
protected:
    ConversionTest() {
        ChannelWindowSettings settings = Settings(kOutputChannelWindow, 1);
        settings.ratioX = 1920.0 / 450;
        settings.ratioY = 1.0;
        window.SetSettings(settings);
        window.SetProcessor(owner);
    }

    const ProcessorRect owner{10, 20, 30, 40};
    CChannelWindow window;
};

TEST_F(ConversionTest, TheFirstFiveDrawsKeepTheOwnersValues) {
    RecordingPainter painter;
    const Rect rects[] = {{0, 0, 100, 50}, {5, 7, 90, 61}, {100, 3, 300, 9}, {1, 1, 2, 2},
                          {40, 40, 80, 80}};
    for (const Rect& rect : rects) window.Draw(painter, rect);
    EXPECT_EQ(window.DrawCount(), 5);
    EXPECT_EQ(window.Processor(), owner);
    window.Draw(painter, {41, 40, 80, 80});
    EXPECT_NE(window.Processor(), owner);
}

TEST_F(ConversionTest, LeftEdgeConvertsTruncatedAndEven) {
    DrawTimes(window, {0, 0, 100, 50}, 5);
    DrawTimes(window, {100, 0, 200, 50}, 1);
    EXPECT_EQ(window.Processor().x, 426);  // 426.67
    DrawTimes(window, {101, 0, 201, 50}, 1);
    EXPECT_EQ(window.Processor().x, 430);  // 430.93
}

TEST_F(ConversionTest, AMoveKeepsWidthAndHeight) {
    DrawTimes(window, {0, 0, 100, 50}, 5);
    DrawTimes(window, {37, 13, 137, 63}, 1);
    EXPECT_EQ(window.Processor().x, 156);  // 157.87 made even
    EXPECT_EQ(window.Processor().y, 12);   // 13 made even
    // 100 canvas pixels would be 426 processor pixels and 50 would be 50.
    EXPECT_EQ(window.Processor().w, owner.w);
    EXPECT_EQ(window.Processor().h, owner.h);
}

TEST_F(ConversionTest, AResizeOfTheFarEdgesChangesOnlyTheSize) {
    DrawTimes(window, {0, 0, 100, 50}, 5);
    DrawTimes(window, {0, 0, 101, 57}, 1);
    EXPECT_EQ(window.Processor(), (ProcessorRect{owner.x, owner.y, 430, 56}));
}

TEST_F(ConversionTest, CloneStartsAfreshWithTheSameChannelFields) {
    DrawTimes(window, {0, 0, 100, 50}, 7);
    const auto clone = window.Clone();
    auto& copy = dynamic_cast<CChannelWindow&>(*clone);
    EXPECT_EQ(copy.DrawCount(), 0);
    EXPECT_EQ(copy.Settings().ratioX, window.Settings().ratioX);
    EXPECT_EQ(copy.Processor(), window.Processor());
    EXPECT_EQ(copy.Type(), "button");
}

std::vector<LabelLine> Labels(const Rect& rect, const ChannelWindowSettings& settings,
                              Size piece = {}) {
    return ChannelLabels({rect, settings, {100, 200, 640, 360}, piece});
}

std::vector<LabelLine> Block(Point at, const std::string& name, std::string size = "W_H:[640,360]",
                             std::string position = "X_Y:[100,200]") {
    std::vector<LabelLine> lines;
    if (!name.empty()) lines.push_back({{at.x, at.y + 5}, name});
    lines.push_back({{at.x, at.y + 20}, size});
    lines.push_back({{at.x, at.y + 35}, position});
    return lines;
}

std::vector<LabelLine> Joined(std::initializer_list<std::vector<LabelLine>> blocks) {
    std::vector<LabelLine> all;
    for (const auto& block : blocks) all.insert(all.end(), block.begin(), block.end());
    return all;
}

TEST(ChannelLabelTest, UndividedNamesByKindAndIndex) {
    const Rect rect{10, 20, 300, 200};
    EXPECT_EQ(Labels(rect, Settings(kInputCardWindow, 2)), Block({10, 20}, "CH:[PIP]"));
    EXPECT_EQ(Labels(rect, Settings(kInputCardWindow, 1)), Block({10, 20}, "CH:[Main]"));
    EXPECT_EQ(Labels(rect, Settings(kInputImageWindow, 6)), Block({10, 20}, "IMG:[2]"));
    EXPECT_EQ(Labels(rect, Settings(kInputImageWindow, 4)), Block({10, 20}, "IMG:[4]"));
    EXPECT_EQ(Labels(rect, Settings(kOutputChannelWindow, 3)), Block({10, 20}, "IMG:[3]"));
    EXPECT_EQ(Labels(rect, Settings(kOutputChannelWindow, 6)), Block({10, 20}, "IMG:[6]"));
}

TEST(ChannelLabelTest, PositionIsTakenFromTheOrigin) {
    ChannelWindowSettings settings = Settings(kOutputChannelWindow, 1);
    settings.originX = 60;
    settings.originY = -8;
    EXPECT_EQ(Labels({0, 0, 300, 200}, settings),
              Block({0, 0}, "IMG:[1]", "W_H:[640,360]", "X_Y:[40,208]"));
}

TEST(QuadLabelTest, OneBlockPerCoveredQuarter) {
    const Size piece{400, 300};
    const ChannelWindowSettings quad = Settings(kInputImageWindow, 1, 4);
    EXPECT_EQ(Labels({100, 50, 600, 200}, quad, piece),
              Joined({Block({100, 50}, "CH:[1]"), Block({400, 50}, "CH:[2]")}));
    EXPECT_EQ(Labels({100, 50, 300, 400}, quad, piece),
              Joined({Block({100, 50}, "CH:[1]"), Block({100, 300}, "CH:[3]")}));
    EXPECT_EQ(Labels({500, 50, 700, 400}, quad, piece),
              Joined({Block({500, 50}, "CH:[2]"), Block({500, 300}, "CH:[4]")}));
    EXPECT_EQ(Labels({100, 350, 600, 500}, quad, piece),
              Joined({Block({100, 350}, "CH:[3]"), Block({400, 350}, "CH:[4]")}));
    EXPECT_EQ(Labels({100, 50, 600, 400}, quad, piece),
              Joined({Block({100, 50}, "CH:[1]"), Block({400, 50}, "CH:[2]"),
                      Block({100, 300}, "CH:[3]"), Block({400, 300}, "CH:[4]")}));
}

TEST(QuadLabelTest, OutputChannelsHaveNoNamesAndOneQuarterIsOneBlock) {
    const Size piece{400, 300};
    EXPECT_EQ(Labels({100, 50, 600, 200}, Settings(kOutputChannelWindow, 1, 4), piece),
              Joined({Block({100, 50}, ""), Block({400, 50}, "")}));
    // Exactly the top-left quarter: its right and bottom edges touch, but do not enter, the others.
    EXPECT_EQ(Labels({0, 0, 400, 300}, Settings(kOutputChannelWindow, 1, 4), piece),
              Block({0, 0}, ""));
    EXPECT_EQ(Labels({410, 310, 500, 400}, Settings(kInputCardWindow, 2, 4), piece),
              Block({410, 310}, "CH:[PIP]"));
}

TEST(PieceLabelTest, BlocksAtEachPiecesLeadingEdge) {
    // Three pieces across of 266 pixels.
    EXPECT_EQ(Labels({10, 0, 800, 100}, Settings(kOutputChannelWindow, 1, 5), {266, 600}),
              Joined({Block({10, 0}, ""), Block({266, 0}, ""), Block({532, 0}, "")}));
    // Two pieces down of 300 pixels.
    EXPECT_EQ(Labels({0, 250, 200, 350}, Settings(kOutputChannelWindow, 1, 3), {800, 300}),
              Joined({Block({0, 250}, ""), Block({0, 300}, "")}));
}

TEST(PieceLabelTest, SmallWindowsShowLessAndTinyOnesNothing) {
    const ChannelWindowSettings sideBySide = Settings(kOutputChannelWindow, 1, 2);
    EXPECT_EQ(Labels({380, 0, 440, 30}, sideBySide, {400, 600}),
              (std::vector<LabelLine>{{{380, 5}, "W_H:[640,360]"}, {{400, 0}, "W_H:[640,360]"}}));
    EXPECT_TRUE(Labels({395, 0, 405, 10}, sideBySide, {400, 600}).empty());
    // Stacked pieces short of room keep only their empty name lines.
    const ChannelWindowSettings stacked = Settings(kOutputChannelWindow, 1, 3);
    EXPECT_TRUE(Labels({0, 280, 60, 310}, stacked, {800, 300}).empty());
}

class ChannelDrawTest : public ::testing::Test {
protected:
    void Draw(const ChannelWindowSettings& settings, const Rect& rect) {
        window.SetSettings(settings);
        window.Draw(painter, rect);
    }

    std::vector<LineCall> PieceLines() const {
        std::vector<LineCall> lines;
        for (const LineCall& line : painter.Of<LineCall>())
            if (line.pen == Pen{kGreen, 1, PenStyle::Dotted}) lines.push_back(line);
        return lines;
    }

    RecordingPainter painter{11};
    CChannelWindow window;
};

TEST_F(ChannelDrawTest, BodyCaptionBandOutlineThenLabels) {
    ChannelWindowSettings settings = Settings(kInputCardWindow, 1);
    settings.borderColor = {200, 0, 0};
    Draw(settings, {10, 20, 210, 120});
    const std::vector<FillCall> fills = painter.Of<FillCall>();
    ASSERT_EQ(fills.size(), 3u);
    EXPECT_EQ(fills[0].rect, (Rect{10, 20, 210, 120}));                      // body
    EXPECT_EQ(fills[1], (FillCall{{10, 20, 210, 39}, Color{196, 196, 196}}));  // 19 grey rows
    EXPECT_EQ(fills[2], (FillCall{{10, 39, 210, 40}, kBlack}));              // the 20th, black
    const std::vector<OutlineCall> outlines = painter.Of<OutlineCall>();
    ASSERT_EQ(outlines.size(), 2u);
    const Pen border{{200, 0, 0}, 2, PenStyle::Dotted};
    EXPECT_EQ(outlines[1], (OutlineCall{{10, 20, 210, 120}, border}));
    ASSERT_TRUE(std::holds_alternative<TextCall>(painter.calls.back()));
    EXPECT_EQ(painter.Texts(),
              (std::vector<std::string>{"CH:[Main]", "W_H:[0,0]", "X_Y:[0,0]"}));
}

TEST_F(ChannelDrawTest, AShortWindowKeepsTheBandInside) {
    Draw(Settings(kInputCardWindow, 1), {0, 0, 50, 10});
    const std::vector<FillCall> fills = painter.Of<FillCall>();
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[1].rect, (Rect{0, 0, 50, 10}));
}

TEST_F(ChannelDrawTest, VerdanaScaledByTheZoom) {
    window.SetZoom(1.5);
    Draw(Settings(kInputCardWindow, 1), {0, 0, 200, 100});
    for (const TextCall& text : painter.Of<TextCall>())
        EXPECT_EQ(text.font, (Font{"Verdana", 17, kBlack}));
}

TEST_F(ChannelDrawTest, PieceBoundariesCrossedByTheWindow) {
    Draw(Settings(kOutputChannelWindow, 1, 2), {300, 0, 500, 100});
    EXPECT_EQ(window.PieceSize(), (Size{400, 600}));
    EXPECT_EQ(PieceLines(),
              (std::vector<LineCall>{{{400, 0}, {400, 100}, Pen{kGreen, 1, PenStyle::Dotted}}}));

    painter.Clear();
    Draw(Settings(kOutputChannelWindow, 1, 4), {100, 50, 600, 400});
    EXPECT_EQ(PieceLines(),
              (std::vector<LineCall>{{{400, 50}, {400, 400}, Pen{kGreen, 1, PenStyle::Dotted}},
                                     {{100, 300}, {600, 300}, Pen{kGreen, 1, PenStyle::Dotted}}}));

    painter.Clear();
    Draw(Settings(kOutputChannelWindow, 1, 4), {0, 0, 400, 300});
    EXPECT_TRUE(PieceLines().empty());
}

TEST_F(ChannelDrawTest, PieceSizesOfEveryMode) {
    const Size expected[] = {{400, 600}, {800, 300}, {400, 300}, {266, 600},
                             {800, 200}, {200, 600}, {800, 150}};
    for (std::uint8_t mode = 2; mode <= 8; ++mode) {
        Draw(Settings(kOutputChannelWindow, 1, mode), {0, 0, 10, 10});
        EXPECT_EQ(window.PieceSize(), expected[mode - 2]) << int{mode};
    }
}

TEST_F(ChannelDrawTest, AnOutputAreaTooSmallToDivideDrawsUndivided) {
    ChannelWindowSettings settings = Settings(kOutputChannelWindow, 5, 7);
    settings.layoutWidth = 3;
    Draw(settings, {0, 0, 200, 100});
    EXPECT_EQ(window.PieceSize(), (Size{}));
    EXPECT_TRUE(PieceLines().empty());
    EXPECT_EQ(painter.Texts().front(), "IMG:[5]");
}

}  // namespace
}  // namespace hsq
