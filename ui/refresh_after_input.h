#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <functional>

namespace hsq {

// Watches a canvas and, once it has handled a mouse release or a key, has its window show the
// values the canvas changed. Owned by the canvas.
class RefreshAfterInput final : public QObject {
  public:
    RefreshAfterInput(QWidget* canvas, std::function<void()> refresh)
        : QObject(canvas), refresh_(std::move(refresh)) {
        canvas->installEventFilter(this);
    }

    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease || event->type() == QEvent::KeyPress)
            QMetaObject::invokeMethod(this, refresh_, Qt::QueuedConnection);
        return false;
    }

  private:
    std::function<void()> refresh_;
};

}  // namespace hsq
