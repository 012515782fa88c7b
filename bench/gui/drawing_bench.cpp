// Drawing and event costs that the splitter and its overlay pay on every
// paint and drag: exact-pixel lines and fills, a canvas repaint, and the
// cooperative yield called from a long loop.
#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <cstdlib>
#include <string>

#include "fw/core/BackgroundTask.h"
#include "fw/gui/Gui.h"

namespace {

void ensureGui() {
    static bool ready = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "bench_gui";
        static char* argv[] = {name, nullptr};
        fw::InitGui(argc, argv);
        return true;
    }();
    (void)ready;
}

void BM_DrawLineDiagonal(benchmark::State& state) {
    ensureGui();
    auto pic = fw::NewPicture(1024, 768);
    auto& g = pic->Graphics();
    g.ForeColor(fw::RGB(10, 20, 30));
    for (auto _ : state) g.DrawLine(0, 0, 1023, 767);
    state.SetItemsProcessed(state.iterations() * 1024);
}
BENCHMARK(BM_DrawLineDiagonal);

void BM_FillRectFullScreen(benchmark::State& state) {
    ensureGui();
    auto pic = fw::NewPicture(1024, 768);
    auto& g = pic->Graphics();
    for (auto _ : state) g.FillRect(0, 0, 1024, 768);
    state.SetBytesProcessed(state.iterations() * 1024 * 768 * 4);
}
BENCHMARK(BM_FillRectFullScreen);

// The grips of a splitter bar: a few short lines per paint.
void BM_GripLines(benchmark::State& state) {
    ensureGui();
    auto pic = fw::NewPicture(574, 9);
    auto& g = pic->Graphics();
    for (auto _ : state)
        for (int i = -3; i <= 3; ++i) g.DrawLine(280 + i, 2, 280 + i, 6);
}
BENCHMARK(BM_GripLines);

void BM_YieldInTightLoop(benchmark::State& state) {
    ensureGui();
    for (auto _ : state) fw::RuntimeBackgroundTask();
}
BENCHMARK(BM_YieldInTightLoop);

class PaneWindow : public fw::Window {
public:
    PaneWindow() {
        Width(600);
        Height(400);
        AddControl<fw::EditField>("EFPane", "", 0, 0, 600, 400).MultiLine(true);
    }
};

// A one-line result (a script with no string length, a Base64 line) put into
// a wrapping pane and shown.
void BM_ShowOneLongLine(benchmark::State& state) {
    ensureGui();
    static bool started = [] {
        fw::StartApplication(std::make_unique<fw::Application>(), [] { fw::Implicit<PaneWindow>(); });
        return true;
    }();
    (void)started;
    auto& pane = fw::Implicit<PaneWindow>().Control<fw::EditField>("EFPane");
    const std::string line(size_t(state.range(0)), 'a');
    for (auto _ : state) {
        pane.Text(line);
        fw::Implicit<PaneWindow>().Refresh();
        QCoreApplication::processEvents();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ShowOneLongLine)->Arg(200'000)->Arg(2'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
