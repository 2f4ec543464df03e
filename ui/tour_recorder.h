#pragma once

#include <QString>
#include <QWidget>

namespace hsq {

// Saves pictures of the windows of a tour, numbered in the order they were shown.
// Whether windows can be shown at all; without a display, a program tours instead.
bool DisplayAvailable();

class TourRecorder {
  public:
    explicit TourRecorder(QString folder);

    // The widget as it is drawn now, into "NN-name.png"; false when it could not be saved.
    bool Save(QWidget& widget, const QString& name);
    const QString& Folder() const { return folder_; }
    int Saved() const { return count_; }

  private:
    QString folder_;
    int count_ = 0;
};

}  // namespace hsq
