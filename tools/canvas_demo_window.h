#pragma once

#include <QLabel>
#include <QWidget>
#include <array>

#include "canvas/layout_canvas_widget.h"
#include "ui/tour_recorder.h"

namespace hsq {

// A sample wall of four channel windows on the layout canvas, with what the processor would be
// told beneath it: drag, resize, nudge and restack the windows and watch the values follow.
class CanvasDemoWindow final : public QWidget, private LayoutObserver {
  public:
    explicit CanvasDemoWindow(QWidget* parent = nullptr);

    // Shows the canvas as it starts, then after scripted moves, zooms and a resize; false when a
    // picture could not be saved.
    bool Tour(TourRecorder& tour);

  private:
    void OnLayoutNotice(LayoutNotice notice, const std::vector<CLayoutItem*>& items) override;
    void OnRepaintNeeded() override {}
    void OnScrollChanged(Point) override {}
    void ShowProcessorPlaces();
    QPoint ClientPoint(int x, int y) const;
    QPoint CentreOf(std::size_t index) const;
    QPoint TopLeftHandleOf(std::size_t index) const;

    LayoutCanvasWidget* canvas_;
    std::array<QLabel*, 4> places_{};
    QLabel* lastNotice_;
};

}  // namespace hsq
