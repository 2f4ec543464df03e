// hsq2600-canvas-demo: the layout canvas on its own, with a sample wall of four channel windows.
#include <cstdio>
#include <cstdlib>
#include <string>

#include <QApplication>

#include "tools/canvas_demo_window.h"
#include "ui/tour_recorder.h"

int main(int argc, char** argv) {
    QString tourFolder;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--tour") tourFolder = argv[i + 1];
    }
    if (tourFolder.isEmpty() && !hsq::DisplayAvailable()) {
        tourFolder = "hsq2600-canvas-tour";
        std::fprintf(stderr, "No display found: saving a tour of the canvas into %s instead.\n",
                     qPrintable(tourFolder));
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication application(argc, argv);
    hsq::CanvasDemoWindow window;
    if (tourFolder.isEmpty()) {
        window.show();
        return application.exec();
    }
    hsq::TourRecorder tour(tourFolder);
    const bool saved = window.Tour(tour);
    std::fprintf(stderr, "Tour: %d pictures in %s\n", tour.Saved(), qPrintable(tourFolder));
    return saved ? 0 : 1;
}
