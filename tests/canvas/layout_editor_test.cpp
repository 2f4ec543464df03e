#include "canvas/layout_editor.h"

#include <gtest/gtest.h>

#include <cmath>

#include "canvas/channel_window.h"
#include "canvas/recording_observer.h"

namespace hsq {
namespace {

MouseEvent At(int x, int y, unsigned modifiers = 0) {
    return {{x, y}, MouseButton::Left, modifiers};
}

class EditorTest : public ::testing::Test {
protected:
    EditorTest() {
        editor.SetClientSize({800, 600});
        first = &Add({100, 100, 300, 200});
        second = &Add({500, 400, 700, 550});
    }

    CLayoutItem& Add(const RectF& rect) {
        auto item = std::make_unique<CLayoutItem>();
        item->SetRectangle(rect);
        return editor.AddObject(std::move(item));
    }

    void Drag(Point from, Point to, unsigned modifiers = 0) {
        editor.OnMousePress(At(from.x, from.y, modifiers));
        editor.OnMouseMove(At(to.x, to.y, modifiers));
        editor.OnMouseRelease(At(to.x, to.y, modifiers));
    }

    void Click(int x, int y, unsigned modifiers = 0) { Drag({x, y}, {x, y}, modifiers); }

    bool Key(hsq::Key key, unsigned modifiers = 0) { return editor.OnKeyPress({key, modifiers}); }

    std::vector<CLayoutItem*> Order() {
        std::vector<CLayoutItem*> order;
        for (std::size_t i = 0; i < items.Count(); ++i) order.push_back(&items.At(i));
        return order;
    }

    CLayoutItemList items;
    RecordingObserver observer;
    CLayoutEditor editor{items, observer};
    CLayoutItem* first = nullptr;
    CLayoutItem* second = nullptr;
};

TEST_F(EditorTest, ClickSelectsModifierTogglesEmptySpaceClearsTopmostTakesIt) {
    Click(150, 150);
    EXPECT_EQ(items.Selected(), (std::vector<CLayoutItem*>{first}));
    Click(600, 450, kControlModifier);
    EXPECT_EQ(items.Selected(), (std::vector<CLayoutItem*>{first, second}));
    Click(150, 150, kShiftModifier);
    EXPECT_EQ(items.Selected(), (std::vector<CLayoutItem*>{second}));
    Click(400, 300);
    EXPECT_TRUE(items.Selected().empty());
    // Only the changes that left exactly one entity selected were announced.
    EXPECT_EQ(observer.Notices(),
              (std::vector<NoticeEvent>{{LayoutNotice::SingleSelection, {first}},
                                        {LayoutNotice::SingleSelection, {second}}}));
    CLayoutItem* over = &Add({150, 120, 250, 180});
    Click(200, 150);
    EXPECT_EQ(items.Selected(), (std::vector<CLayoutItem*>{over}));
}

// The top-left and right handles are dragged in the resizing test below.
TEST_F(EditorTest, HitCodesAndCursorsAroundAnEntity) {
    const struct {
        Point at;
        HitCode code;
        CursorShape cursor;
    } cases[] = {
        {{200, 98}, HitCode::Top, CursorShape::SizeNorthSouth},
        {{302, 100}, HitCode::TopRight, CursorShape::SizeNorthEastSouthWest},
        {{100, 200}, HitCode::BottomLeft, CursorShape::SizeNorthEastSouthWest},
        {{200, 203}, HitCode::Bottom, CursorShape::SizeNorthSouth},
        {{300, 200}, HitCode::BottomRight, CursorShape::SizeNorthWestSouthEast},
        {{97, 150}, HitCode::Left, CursorShape::SizeWestEast},
        {{200, 150}, HitCode::Body, CursorShape::Move},
        {{96, 150}, HitCode::None, CursorShape::Arrow},
    };
    for (const auto& hit : cases) {
        EXPECT_EQ(first->HitTest(hit.at), hit.code) << hit.at.x << "," << hit.at.y;
        EXPECT_EQ(editor.CursorAt(hit.at), hit.cursor) << hit.at.x << "," << hit.at.y;
    }
    ASSERT_TRUE(editor.SetZoom(2.0));
    EXPECT_FALSE(editor.SetZoom(std::nan("")));  // refused; the zoom there stays
    EXPECT_EQ(first->HitTest({200, 200}), HitCode::TopLeft);
}

TEST_F(EditorTest, DraggingTheBodyMovesAndAnnouncesOnReleaseAClickDoesNot) {
    Click(200, 150);
    EXPECT_EQ(observer.Notices().size(), 1u);
    editor.OnMousePress(At(200, 150));
    editor.OnMouseMove(At(250, 170));
    EXPECT_EQ(first->Rectangle(), (RectF{150, 120, 350, 220}));
    EXPECT_EQ(observer.Notices().size(), 1u);
    editor.OnMouseRelease(At(260, 170));
    EXPECT_EQ(first->Rectangle(), (RectF{160, 120, 360, 220}));
    EXPECT_EQ(observer.Notices().back(), (NoticeEvent{LayoutNotice::Moved, {first}}));
    // The repaint comes before the notice, so channel windows convert first.
    EXPECT_TRUE(std::holds_alternative<RepaintEvent>(observer.events[observer.events.size() - 2]));
}

TEST_F(EditorTest, ResizingByEachHandleKeepsTheOppositeEdgesDownToTheMinimum) {
    Drag({300, 150}, {350, 170});
    EXPECT_EQ(first->Rectangle(), (RectF{100, 100, 350, 200}));
    EXPECT_EQ(observer.Notices().back(), (NoticeEvent{LayoutNotice::Resized, {first}}));
    Drag({100, 100}, {80, 70});
    EXPECT_EQ(first->Rectangle(), (RectF{80, 70, 350, 200}));
    Drag({215, 200}, {215, 230});
    EXPECT_EQ(first->Rectangle(), (RectF{80, 70, 350, 230}));
    first->SetMinimumSize({50, 20});
    Drag({80, 150}, {340, 150});
    EXPECT_EQ(first->Rectangle(), (RectF{300, 70, 350, 230}));
    Drag({325, 70}, {325, 400});
    EXPECT_EQ(first->Rectangle(), (RectF{300, 210, 350, 230}));
}

TEST_F(EditorTest, RestraintKeepsTheSelectionADraggedEdgeAndAnArrowInsideThePaper) {
    ASSERT_TRUE(items.SetPaperSize({800, 600}));
    editor.SetRestraint(Restraint::InsidePaper);
    Drag({700, 475}, {900, 475});
    EXPECT_EQ(second->Rectangle(), (RectF{500, 400, 800, 550}));
    EXPECT_TRUE(Key(Key::Right));  // blocked: nothing moves, nothing is announced
    EXPECT_EQ(second->Rectangle(), (RectF{500, 400, 800, 550}));
    EXPECT_EQ(observer.Notices().back().notice, LayoutNotice::Resized);
    second->SetRectangle({500, 400, 700, 550});
    Click(150, 150);
    Click(600, 450, kControlModifier);
    // The second entity reaches the right and bottom edges first.
    Drag({200, 150}, {400, 300});
    EXPECT_EQ(first->Rectangle(), (RectF{200, 150, 400, 250}));
    EXPECT_EQ(second->Rectangle(), (RectF{600, 450, 800, 600}));
    Drag({300, 200}, {-300, -300});
    EXPECT_EQ(first->Rectangle(), (RectF{0, 0, 200, 100}));
    EXPECT_EQ(second->Rectangle(), (RectF{400, 300, 600, 450}));
    EXPECT_EQ(observer.Notices().back(), (NoticeEvent{LayoutNotice::Moved, {first, second}}));
}

TEST_F(EditorTest, RestraintTwoLeavesTheMarginsFreeAndZeroRestrainsNothing) {
    ASSERT_TRUE(items.SetPaperSize({800, 600}));
    editor.SetRestraint(Restraint::InsideMargins);
    editor.SetMargins({10, 20, 30, 40});
    Drag({200, 150}, {-500, -500});
    EXPECT_EQ(first->Rectangle(), (RectF{10, 20, 210, 120}));
    Drag({600, 450}, {1500, 1500});
    EXPECT_EQ(second->Rectangle(), (RectF{570, 410, 770, 560}));
    editor.SetRestraint(Restraint::Free);
    Drag({100, 50}, {-100, -50});
    EXPECT_EQ(first->Rectangle(), (RectF{-190, -80, 10, 20}));
}

// A grid of no size is refused; the one there stays.
TEST_F(EditorTest, SnappingPutsTheMovedCornerOnTheGrid) {
    EXPECT_FALSE(editor.SetGridSize({0, 8}));
    editor.SetSnapToGrid(true);
    Drag({200, 150}, {213, 147});
    EXPECT_EQ(first->Rectangle(), (RectF{112, 96, 312, 196}));
}

// The entity follows the pointer into what scrolled into view; scrolling stops at the paper's end.
TEST_F(EditorTest, DraggingBeyondTheClientAreaScrolls) {
    ASSERT_TRUE(items.SetPaperSize({1600, 1200}));
    editor.OnMousePress(At(200, 150));
    editor.OnMouseMove(At(810, 150));
    editor.OnMouseMove(At(810, 650));
    EXPECT_EQ(first->Rectangle(), (RectF{730, 610, 930, 710}));
    for (int i = 0; i < 3; ++i) editor.OnMouseMove(At(-1, -1));
    editor.OnMouseRelease(At(-1, -1));
    std::vector<EditorEvent> scrolls;
    for (const EditorEvent& event : observer.events)
        if (std::holds_alternative<ScrollEvent>(event)) scrolls.push_back(event);
    EXPECT_EQ(scrolls, (std::vector<EditorEvent>{ScrollEvent{{10, 0}}, ScrollEvent{{20, 10}},
                                                 ScrollEvent{{10, 0}}, ScrollEvent{{0, 0}}}));
    EXPECT_EQ(editor.ScrollPosition(), (Point{0, 0}));

    ASSERT_TRUE(items.SetPaperSize({815, 600}));
    editor.OnMousePress(At(600, 450));
    for (int i = 0; i < 5; ++i) editor.OnMouseMove(At(900, 650));
    EXPECT_EQ(editor.ScrollPosition(), (Point{15, 0}));
}

TEST_F(EditorTest, ArrowKeysNeedASelectionThenMoveOrResizeByStepsOfZoomAndGrid) {
    EXPECT_FALSE(Key(Key::Right));
    Click(150, 150);
    EXPECT_TRUE(Key(Key::Right));
    EXPECT_EQ(first->Rectangle(), (RectF{101, 100, 301, 200}));
    EXPECT_EQ(observer.Notices().back().notice, LayoutNotice::KeyRight);
    EXPECT_TRUE(Key(Key::Down, kShiftModifier));
    EXPECT_EQ(first->Rectangle(), (RectF{101, 100, 301, 201}));
    EXPECT_EQ(observer.Notices().back(), (NoticeEvent{LayoutNotice::KeyDown, {first}}));
    EXPECT_TRUE(Key(Key::Left, kShiftModifier));
    EXPECT_EQ(first->Rectangle(), (RectF{101, 100, 300, 201}));
    EXPECT_TRUE(Key(Key::Up));
    EXPECT_EQ(first->Rectangle(), (RectF{101, 99, 300, 200}));
    EXPECT_EQ(observer.Notices().back().notice, LayoutNotice::KeyUp);
    Key(Key::Left);
    EXPECT_EQ(observer.Notices().back().notice, LayoutNotice::KeyLeft);
    ASSERT_TRUE(editor.SetZoom(0.5));
    Key(Key::Right);  // a canvas pixel: two units
    editor.SetSnapToGrid(true);
    Key(Key::Down);  // a grid step of 8 pixels: 16 units
    ASSERT_TRUE(editor.SetZoom(4));
    editor.SetSnapToGrid(false);
    Key(Key::Right);  // never less than one unit
    EXPECT_EQ(first->Rectangle(), (RectF{103, 115, 302, 216}));
    editor.SetKeyboardFlags(kPageKeysRestack);
    EXPECT_FALSE(Key(Key::Right));
    EXPECT_EQ(first->Rectangle(), (RectF{103, 115, 302, 216}));
}

TEST_F(EditorTest, PageKeysRestackTheOneSelectedEntity) {
    CLayoutItem* third = &Add({0, 0, 10, 10});
    Click(150, 150);
    EXPECT_TRUE(Key(Key::PageUp));
    EXPECT_EQ(Order(), (std::vector<CLayoutItem*>{second, first, third}));
    EXPECT_TRUE(Key(Key::PageUp, kControlModifier));
    EXPECT_EQ(Order(), (std::vector<CLayoutItem*>{second, third, first}));
    EXPECT_TRUE(Key(Key::PageUp));
    EXPECT_EQ(Order(), (std::vector<CLayoutItem*>{second, third, first}));
    EXPECT_TRUE(Key(Key::PageDown));
    EXPECT_EQ(Order(), (std::vector<CLayoutItem*>{second, first, third}));
    EXPECT_TRUE(Key(Key::PageDown, kControlModifier));
    EXPECT_EQ(Order(), (std::vector<CLayoutItem*>{first, second, third}));
    Click(600, 450, kControlModifier);
    EXPECT_FALSE(Key(Key::PageUp));
    editor.SetKeyboardFlags(kArrowKeysMove);
    Click(150, 150);
    EXPECT_FALSE(Key(Key::PageUp));
    EXPECT_EQ(Order(), (std::vector<CLayoutItem*>{first, second, third}));
}

TEST_F(EditorTest, DrawModeCreatesOneCopyOfThePrototypeUnlessClearedMidDrag) {
    editor.SetDrawingObject(std::make_unique<CChannelWindow>());
    EXPECT_EQ(editor.CursorAt({200, 150}), CursorShape::Cross);
    Click(400, 300);
    EXPECT_EQ(items.Count(), 2u);
    EXPECT_TRUE(editor.InDrawMode());

    Drag({410, 310}, {380, 350});
    ASSERT_EQ(items.Count(), 3u);
    CLayoutItem& created = items.At(2);
    EXPECT_EQ(created.Type(), "button");
    EXPECT_EQ(created.Rectangle(), (RectF{380, 310, 410, 350}));
    EXPECT_EQ(items.Selected(), (std::vector<CLayoutItem*>{&created}));
    EXPECT_EQ(observer.Notices().back(), (NoticeEvent{LayoutNotice::SingleSelection, {&created}}));
    EXPECT_FALSE(editor.InDrawMode());
    EXPECT_EQ(editor.CursorAt({600, 100}), CursorShape::Arrow);

    editor.SetDrawingObject(std::make_unique<CChannelWindow>());
    editor.OnMousePress(At(410, 310));
    editor.OnMouseMove(At(460, 330));
    editor.SetDrawingObject(nullptr);
    editor.OnMouseRelease(At(460, 330));
    EXPECT_EQ(items.Count(), 3u);
    EXPECT_EQ(editor.CursorAt({600, 100}), CursorShape::Arrow);
}

}  // namespace
}  // namespace hsq
