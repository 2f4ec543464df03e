#pragma once

#include <QWidget>

#include <memory>

#include "canvas/canvas_model.h"
#include "canvas/layout_events.h"

namespace hsq {

// The window of a layout canvas: paints the wall editor through the Qt painter and hands it the
// mouse and the keys. It shows a canvas of its own, whose notices go on to the owner, or one that
// a dialog's logic owns.
class LayoutCanvasWidget final : public QWidget, private LayoutObserver {
  public:
    explicit LayoutCanvasWidget(LayoutObserver* owner = nullptr, QWidget* parent = nullptr);
    explicit LayoutCanvasWidget(CanvasModel& model, QWidget* parent = nullptr);
    ~LayoutCanvasWidget() override;

    CWallEditor& Editor() { return model_->Editor(); }
    CLayoutItemList& Items() { return model_->Items(); }
    void SetOwner(LayoutObserver* owner);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void OnLayoutNotice(LayoutNotice, const std::vector<CLayoutItem*>&) override {}
    void OnRepaintNeeded() override { update(); }
    void OnScrollChanged(Point) override { update(); }
    void Attach();
    void ShowCursorAt(Point client);
    CWallEditor& editor() { return model_->Editor(); }

    std::unique_ptr<CanvasModel> own_;  // when the canvas is the window's own
    CanvasModel* model_;
};

}  // namespace hsq
