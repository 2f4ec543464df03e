// One full repaint of the layout canvas widget on the offscreen platform: the same wall and four
// channel windows as the recording-painter benchmark, drawn by Qt into the window's backing store.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>

#include "canvas/channel_window.h"
#include "canvas/layout_canvas_widget.h"
#include "canvas/sample_wall.h"

namespace {

using namespace hsq;

void BM_WidgetFullRepaint(benchmark::State& state) {
    constexpr Size kArea{900, 506};
    LayoutCanvasWidget canvas;
    canvas.resize(kArea.width, kArea.height);
    BuildSampleWall(canvas.Editor(), kArea);
    canvas.Items().At(3).Select(true);
    canvas.show();
    // The window is exposed, and paints, once its show has been processed.
    QCoreApplication::processEvents();
    const auto& first = static_cast<const CChannelWindow&>(canvas.Items().At(0));
    const int drawsBefore = first.DrawCount();
    for (auto _ : state) canvas.repaint();
    // Proof that each repaint really drew the windows.
    state.counters["draws"] = static_cast<double>(first.DrawCount() - drawsBefore);
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
