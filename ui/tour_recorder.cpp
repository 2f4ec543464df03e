#include "ui/tour_recorder.h"

#include <QDir>
#include <QPixmap>
#include <cstdlib>

namespace hsq {

bool DisplayAvailable() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return true;
    }
    return false;
}

TourRecorder::TourRecorder(QString folder) : folder_(std::move(folder)) { QDir().mkpath(folder_); }

bool TourRecorder::Save(QWidget& widget, const QString& name) {
    const QString file =
        QDir(folder_).filePath(QString("%1-%2.png").arg(count_ + 1, 2, 10, QChar('0')).arg(name));
    if (!widget.grab().save(file)) return false;
    ++count_;
    return true;
}

}  // namespace hsq
