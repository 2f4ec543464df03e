// The layout canvas widget on the offscreen platform, driven by mouse events as an operator's
// hand would drive it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <memory>
#include <vector>

#include "canvas/channel_window.h"
#include "canvas/layout_canvas_widget.h"
#include "ui/mouse_drag.h"

namespace hsq {
namespace {

// The owner dialog: it reads the processor values when a notice comes, as the output board
// dialog does before it sends them.
class ReadingOwner : public LayoutObserver {
  public:
    struct Notice {
        LayoutNotice code;
        std::vector<CLayoutItem*> items;
        ProcessorRect place;
    };

    void OnLayoutNotice(LayoutNotice notice, const std::vector<CLayoutItem*>& items) override {
        const auto* window =
            items.empty() ? nullptr : dynamic_cast<const CChannelWindow*>(items.front());
        notices.push_back({notice, items, window != nullptr ? window->Processor() : ProcessorRect{}});
    }
    void OnRepaintNeeded() override {}
    void OnScrollChanged(Point) override {}

    std::vector<Notice> notices;
};

constexpr int kCanvasWidth = 450;
constexpr int kCanvasHeight = 253;
constexpr QColor kCaptionGrey{196, 196, 196};
// What the processor reported; a canvas rectangle only approximates it.
constexpr ProcessorRect kOwner{256, 170, 850, 598};

class LayoutCanvasGui : public ::testing::Test {
  protected:
    void SetUp() override {
        canvas_.resize(kCanvasWidth, kCanvasHeight);
        canvas_.Editor().SetWall({2, 2, kCanvasWidth, kCanvasHeight});
        auto window = std::make_unique<CChannelWindow>();
        ChannelWindowSettings settings;
        settings.ratioX = 1920.0 / kCanvasWidth;
        settings.ratioY = 1080.0 / kCanvasHeight;
        settings.kind = kOutputChannelWindow;
        settings.index = 1;
        window->SetSettings(settings);
        window->SetRectangle({60, 40, 260, 180});
        window->SetProcessor(kOwner);
        window_ = window.get();
        canvas_.Editor().AddObject(std::move(window));
        canvas_.show();
        QCoreApplication::processEvents();
    }

    QColor PixelAt(int x, int y) { return canvas_.grab().toImage().pixelColor(x, y); }

    ReadingOwner owner_;
    LayoutCanvasWidget canvas_{&owner_};
    CChannelWindow* window_ = nullptr;
};

// A quick drag right after the window is placed, before the canvas has painted much.
TEST_F(LayoutCanvasGui, DraggingAWindowReportsItsNewEvenPlaceAndKeepsItsSize) {
    DragWithLeftButton(canvas_, {150, 100}, {191, 130}, 1);

    ASSERT_EQ(owner_.notices.size(), 2u);
    EXPECT_EQ(owner_.notices[0].code, LayoutNotice::SingleSelection);
    const ReadingOwner::Notice& moved = owner_.notices[1];
    EXPECT_EQ(moved.code, LayoutNotice::Moved);
    EXPECT_EQ(moved.items, std::vector<CLayoutItem*>{window_});
    // Left 101 x 1920/450 = 430.9 and top 70 x 1080/253 = 298.8, cut to even pixels; a move
    // leaves the reported width and height alone.
    EXPECT_EQ(moved.place, (ProcessorRect{430, 298, 850, 598}));
    EXPECT_EQ(window_->Rectangle(), (RectF{101, 70, 301, 210}));

    // The window is shown where it went: its caption band is there, and gone from the old place.
    EXPECT_EQ(PixelAt(280, 75), kCaptionGrey);
    EXPECT_NE(PixelAt(80, 45), kCaptionGrey);
}

}  // namespace
}  // namespace hsq
