// One full repaint of an output board canvas: the wall with its grid, four channel windows in
// quad mode and a selection, drawn into a recording painter.
#include <benchmark/benchmark.h>

#include "canvas/recording_painter.h"
#include "canvas/sample_wall.h"

namespace {

using namespace hsq;

class QuietObserver : public LayoutObserver {
public:
    void OnLayoutNotice(LayoutNotice, const std::vector<CLayoutItem*>&) override {}
    void OnRepaintNeeded() override {}
    void OnScrollChanged(Point) override {}
};

void BM_FullRepaint(benchmark::State& state) {
    constexpr Size kArea{900, 506};
    CLayoutItemList items;
    QuietObserver observer;
    CWallEditor editor(items, observer);
    editor.SetClientSize(kArea);
    BuildSampleWall(editor, kArea);
    items.At(3).Select(true);
    RecordingPainter painter;
    for (auto _ : state) {
        painter.Clear();
        editor.Draw(painter);
        benchmark::DoNotOptimize(painter.calls.data());
    }
    state.counters["calls"] = static_cast<double>(painter.calls.size());
}
BENCHMARK(BM_FullRepaint);

}  // namespace

BENCHMARK_MAIN();
