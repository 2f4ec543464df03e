#include "tools/canvas_demo_window.h"

#include <QApplication>
#include <QVBoxLayout>

#include "canvas/channel_window.h"
#include "canvas/layout_readout.h"
#include "canvas/sample_wall.h"
#include "ui/mouse_drag.h"

namespace hsq {
namespace {

constexpr Size kCanvasSize{900, 506};

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

CanvasDemoWindow::CanvasDemoWindow(QWidget* parent)
    : QWidget(parent), canvas_(new LayoutCanvasWidget(this)), lastNotice_(new QLabel(this)) {
    setWindowTitle("HSQ2600 layout canvas");
    auto* layout = new QVBoxLayout(this);
    auto* help = new QLabel(
        "Drag a window to move it, or one of its handles to resize it. Arrow keys move the "
        "selection, with Shift they resize it; Page Up and Page Down restack it. Ctrl and the "
        "wheel zoom, the wheel scrolls.",
        this);
    help->setWordWrap(true);
    layout->addWidget(help);
    canvas_->setFixedSize(kCanvasSize.width, kCanvasSize.height);
    canvas_->SetOwner(this);
    BuildSampleWall(canvas_->Editor(), kCanvasSize);
    // As on the output board dialog: the windows stay on the wall.
    canvas_->Editor().SetRestraint(Restraint::InsidePaper);
    layout->addWidget(canvas_);
    for (QLabel*& place : places_) {
        place = new QLabel(this);
        place->setObjectName("place");
        layout->addWidget(place);
    }
    lastNotice_->setObjectName("notice");
    lastNotice_->setText("Last notice: none yet");
    layout->addWidget(lastNotice_);
    ShowProcessorPlaces();
}

void CanvasDemoWindow::OnLayoutNotice(LayoutNotice notice,
                                      const std::vector<CLayoutItem*>& items) {
    lastNotice_->setText("Last notice: " + Text(DescribeNotice(notice, items)));
    ShowProcessorPlaces();
}

// In the order the windows were made, whatever their stacking.
void CanvasDemoWindow::ShowProcessorPlaces() {
    const CLayoutItemList& items = canvas_->Items();
    for (std::size_t i = 0; i < items.Count(); ++i) {
        const auto* window = dynamic_cast<const CChannelWindow*>(&items.At(i));
        if (window == nullptr) continue;
        const std::size_t channel = window->Settings().index - 1u;
        if (channel < places_.size()) places_[channel]->setText(Text(DescribeProcessorPlace(*window)));
    }
}

// Where the operator sees a point of the canvas: zoomed, and less the scroll position.
QPoint CanvasDemoWindow::ClientPoint(int x, int y) const {
    const Point scroll = canvas_->Editor().ScrollPosition();
    return {x - scroll.x, y - scroll.y};
}

QPoint CanvasDemoWindow::CentreOf(std::size_t index) const {
    const Rect rect = canvas_->Items().At(index).PixelRect();
    return ClientPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
}

QPoint CanvasDemoWindow::TopLeftHandleOf(std::size_t index) const {
    const Rect rect = canvas_->Items().At(index).PixelRect();
    return ClientPoint(rect.left, rect.top);
}

// What an operator would try first: a move at once, a zoom in and out with a resize between,
// and moves against the wall's edges. The values beneath follow each move and resize, and stay
// through the zooms.
bool CanvasDemoWindow::Tour(TourRecorder& tour) {
    show();
    QApplication::processEvents();
    bool saved = true;
    const auto save = [&](const char* name) { saved = tour.Save(*this, name) && saved; };
    save("canvas");
    DragWithLeftButton(*canvas_, CentreOf(0), CentreOf(0) + QPoint(120, 60), 1);
    save("canvas-window-moved-at-once");
    TurnWheel(*canvas_, CentreOf(0), 2, Qt::ControlModifier);
    save("canvas-zoomed-in");
    DragWithLeftButton(*canvas_, TopLeftHandleOf(0), TopLeftHandleOf(0) - QPoint(60, 40));
    save("canvas-window-resized-while-zoomed");
    TurnWheel(*canvas_, CentreOf(0), -2, Qt::ControlModifier);
    save("canvas-zoomed-out");
    DragWithLeftButton(*canvas_, CentreOf(1), CentreOf(1) + QPoint(400, 0));
    DragWithLeftButton(*canvas_, CentreOf(2), CentreOf(2) + QPoint(0, 300));
    save("canvas-windows-against-the-edges");
    return saved;
}

}  // namespace hsq
