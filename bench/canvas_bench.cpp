// One full repaint of an output board canvas: the wall with its grid, four channel windows in
// quad mode and a selection, drawn into a recording painter.
#include <benchmark/benchmark.h>

#include <memory>

#include "canvas/channel_window.h"
#include "canvas/recording_painter.h"
#include "canvas/wall_editor.h"

namespace {

using namespace hsq;

class QuietObserver : public LayoutObserver {
public:
    void OnLayoutNotice(LayoutNotice, const std::vector<CLayoutItem*>&) override {}
    void OnRepaintNeeded() override {}
    void OnScrollChanged(Point) override {}
};

void BM_FullRepaint(benchmark::State& state) {
    constexpr int kWidth = 900;
    constexpr int kHeight = 506;
    CLayoutItemList items;
    QuietObserver observer;
    CWallEditor editor(items, observer);
    editor.SetClientSize({kWidth, kHeight});
    editor.SetWall({2, 2, kWidth, kHeight});
    for (int channel = 0; channel < 4; ++channel) {
        auto window = std::make_unique<CChannelWindow>();
        ChannelWindowSettings settings;
        settings.ratioX = 1920.0 / kWidth;
        settings.ratioY = 1080.0 / kHeight;
        settings.kind = kOutputChannelWindow;
        settings.index = static_cast<std::uint8_t>(channel + 1);
        settings.splitMode = 4;
        settings.layoutWidth = kWidth;
        settings.layoutHeight = kHeight;
        window->SetSettings(settings);
        const double left = (channel % 2) * kWidth / 2.0 + 20;
        const double top = (channel / 2) * kHeight / 2.0 + 20;
        window->SetRectangle({left, top, left + 400, top + 220});
        editor.AddObject(std::move(window));
    }
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
