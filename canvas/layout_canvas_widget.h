#pragma once

#include <QWidget>

#include "canvas/layout_events.h"
#include "canvas/wall_editor.h"

namespace hsq {

// The window of a layout canvas: paints the wall editor through the Qt painter and hands it the
// mouse and the keys. Notices go on to the owner.
class LayoutCanvasWidget final : public QWidget, private LayoutObserver {
  public:
    explicit LayoutCanvasWidget(LayoutObserver* owner = nullptr, QWidget* parent = nullptr);

    CWallEditor& Editor() { return editor_; }
    CLayoutItemList& Items() { return items_; }
    void SetOwner(LayoutObserver* owner) { owner_ = owner; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void OnLayoutNotice(LayoutNotice notice, const std::vector<CLayoutItem*>& items) override;
    void OnRepaintNeeded() override { update(); }
    void OnScrollChanged(Point) override { update(); }
    void ShowCursorAt(Point client);

    LayoutObserver* owner_;
    CLayoutItemList items_;
    CWallEditor editor_;
};

}  // namespace hsq
