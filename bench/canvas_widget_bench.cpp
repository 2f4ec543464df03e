// One full repaint of the layout canvas widget on the offscreen platform: the same wall and four
// channel windows as the recording-painter benchmark, drawn by Qt into the window's backing store.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>

#include "canvas/layout_canvas_widget.h"
#include "canvas/sample_wall.h"

namespace {

using namespace hsq;

// Counts the paints the canvas really received.
class PaintCounter final : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }

    int paints = 0;
};

void BM_WidgetFullRepaint(benchmark::State& state) {
    constexpr Size kArea{900, 506};
    LayoutCanvasWidget canvas;
    canvas.resize(kArea.width, kArea.height);
    BuildSampleWall(canvas.Editor(), kArea);
    canvas.Items().At(3).Select(true);
    canvas.show();
    // The window is exposed, and paints, once its show has been processed.
    QCoreApplication::processEvents();
    PaintCounter counter;
    canvas.installEventFilter(&counter);
    for (auto _ : state) canvas.repaint();
    // Proof that each repaint really painted.
    state.counters["paints"] = counter.paints;
}
BENCHMARK(BM_WidgetFullRepaint);

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
