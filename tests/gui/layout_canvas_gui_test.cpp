// The layout canvas widget on the offscreen platform, driven by mouse events as an operator's
// hand would drive it.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
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

    void Wheel(int notches, Qt::KeyboardModifiers modifiers) {
        TurnWheel(canvas_, {100, 100}, notches, modifiers);
    }

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

// The processor values follow where the operator puts the window in unzoomed units, never the
// zoom or the scroll position it is seen at.
TEST_F(LayoutCanvasGui, ZoomingAndScrollingKeepTheValuesAndADragWhileZoomedConvertsUnzoomedUnits) {
    Wheel(1, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(canvas_.Editor().Zoom(), 1.25);
    Wheel(3, Qt::ControlModifier);
    const double zoom = canvas_.Editor().Zoom();
    ASSERT_DOUBLE_EQ(zoom, 1.25 * 1.25 * 1.25 * 1.25);
    Wheel(-1, Qt::NoModifier);
    EXPECT_EQ(canvas_.Editor().ScrollPosition(), (Point{0, 40}));
    Wheel(-1, Qt::ShiftModifier);
    EXPECT_EQ(canvas_.Editor().ScrollPosition(), (Point{40, 40}));
    for (int i = 0; i < 6; ++i) canvas_.repaint();  // however often it paints
    EXPECT_EQ(window_->Processor(), kOwner);
    // The caption band starts at canvas pixel 60 x zoom across and 40 x zoom down; the window
    // shows it shifted by the scroll position.
    const int captionLeft = ToPixel(60 * zoom) - 40, captionTop = ToPixel(40 * zoom) - 40;
    EXPECT_EQ(PixelAt(captionLeft + 200, captionTop + 6), kCaptionGrey);
    EXPECT_NE(PixelAt(captionLeft + 200, captionTop - 4), kCaptionGrey);

    // 100 and 50 pixels at this zoom are 40.96 and 20.48 units: left 100.96, top 60.48, whole
    // 101 and 60: 430.9 and 256.1.
    DragWithLeftButton(canvas_, {200, 150}, {300, 200}, 1);
    ASSERT_FALSE(owner_.notices.empty());
    EXPECT_EQ(owner_.notices.back().code, LayoutNotice::Moved);
    EXPECT_EQ(owner_.notices.back().place, (ProcessorRect{430, 256, 850, 598}));
    Wheel(-4, Qt::ControlModifier);
    ASSERT_NEAR(canvas_.Editor().Zoom(), 1.0, 1e-9);
    canvas_.repaint();
    EXPECT_EQ(window_->Processor(), (ProcessorRect{430, 256, 850, 598}));
}

TEST_F(LayoutCanvasGui, KeysMoveResizeAndRestackTheSelectedWindow) {
    auto second = std::make_unique<CLayoutItem>();
    second->SetRectangle({300, 150, 340, 190});
    CLayoutItem* back = &canvas_.Editor().AddObject(std::move(second));
    canvas_.Items().SelectOnly(window_);
    const auto press = [this](int key, Qt::KeyboardModifiers modifiers) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(&canvas_, &event);
    };

    press(Qt::Key_Right, Qt::NoModifier);
    press(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(window_->Rectangle(), (RectF{61, 40, 261, 181}));
    ASSERT_EQ(owner_.notices.size(), 2u);
    EXPECT_EQ(owner_.notices[0].code, LayoutNotice::KeyRight);
    EXPECT_EQ(owner_.notices[1].code, LayoutNotice::KeyDown);

    press(Qt::Key_PageUp, Qt::NoModifier);
    EXPECT_EQ(&canvas_.Items().At(0), back);
    press(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(&canvas_.Items().At(0), window_);
}

TEST_F(LayoutCanvasGui, TheCursorShowsWhatADragWouldDo) {
    const auto hover = [this](QPoint at) {
        const QPointF local(at);
        QMouseEvent event(QEvent::MouseMove, local, canvas_.mapToGlobal(local), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&canvas_, &event);
        return canvas_.cursor().shape();
    };
    EXPECT_EQ(hover({150, 100}), Qt::SizeAllCursor);
    EXPECT_EQ(hover({259, 179}), Qt::SizeFDiagCursor);
    EXPECT_EQ(hover({60, 179}), Qt::SizeBDiagCursor);
    EXPECT_EQ(hover({150, 40}), Qt::SizeVerCursor);
    EXPECT_EQ(hover({259, 100}), Qt::SizeHorCursor);
    EXPECT_EQ(hover({400, 230}), Qt::ArrowCursor);
    canvas_.Editor().SetDrawingObject(std::make_unique<CChannelWindow>());
    EXPECT_EQ(hover({400, 230}), Qt::CrossCursor);
}

}  // namespace
}  // namespace hsq
