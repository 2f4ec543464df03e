#pragma once

#include <QWidget>

#include "app/main_window_logic.h"

namespace hsq {

// One area of the main window (INPUT CARDS or OUTPUT CARDS): draws its card pictures and
// forwards the mouse to the main window's logic.
class CardAreaWidget : public QWidget {
    Q_OBJECT

  public:
    CardAreaWidget(MainWindowLogic& logic, MainWindowLogic::Area area, QWidget* parent = nullptr);

  signals:
    void Changed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    const CardPictureArea& Pictures() const;
    QString Letter(int index) const;

    MainWindowLogic& logic_;
    MainWindowLogic::Area area_;
};

}  // namespace hsq
