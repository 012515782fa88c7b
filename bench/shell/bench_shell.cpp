// Time from the click on "Convert to" to the result painted in the output
// pane, with the application running headless: a 10 MB text under several
// types, and "Pakkle" pages whose data is one long line. The two halves of
// that time (the engine alone, the pane alone) are measured apart.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "engine/quillet.h"
#include "fw/core/FolderItem.h"
#include "fw/gui/Gui.h"
#include "fw/gui/TestSupport.h"
#include "shell/MainWindow.h"
#include "shell/Startup.h"

namespace {

void letPaintsRun() {
    for (int i = 0; i < 3; ++i) {
        QApplication::sendPostedEvents();
        QApplication::processEvents(QEventLoop::AllEvents);
    }
}

// HTML with varied words, so that the compressor finds real work and its
// page carries a long data line.
std::string html(size_t bytes) {
    static const char* const words[] = {"alpha", "caf\xC3\xA9", "<b>bold</b>", "r\xC3\xA9sum\xC3\xA9",
                                        "link",  "&amp;",       "data",        "\"quoted\"",
                                        "zebra", "x<y",         "tab\there",   "2026"};
    std::string s = "<html><body>\n";
    s.reserve(bytes + 64);
    uint32_t seed = 12345;
    while (s.size() < bytes) {
        seed = seed * 1103515245u + 12345u;
        s += words[(seed >> 16) % std::size(words)];
        s += (seed >> 8) % 11 == 0 ? "</p>\n<p>" : " ";
        if ((seed >> 4) % 7 == 0) s += std::to_string(seed % 100000);
    }
    s.resize(bytes);
    return s;
}

struct Running {
    Running() {
        static int argc = 1;
        static char name[] = "bench_shell";
        static char* argv[] = {name, nullptr};
        if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
        const auto root = std::filesystem::temp_directory_path() / "varnel-bench";
        std::filesystem::create_directories(root / "prefs");
        std::filesystem::create_directories(root / "app");
        setenv("XDG_CONFIG_HOME", (root / "prefs").c_str(), 1);
        fw::SetApplicationExecutable(root / "app" / "varnel");
        fw::InitGui(argc, argv);
        fw::testing::Enable(true);
        StartUp();
        letPaintsRun();
    }
    MainWindow& main() { return fw::Implicit<MainWindow>(); }
};

MainWindow& window() {
    static Running r;
    return r.main();
}

void choose(MainWindow& w, const char* label) {
    auto& types = w.Control<fw::PopupMenu>("PMTypeOfConversion");
    for (int i = 0; i < types.ListCount(); ++i) {
        if (types.List(i) == label) types.ListIndex(i);
    }
}

void BM_ClickToShown(benchmark::State& state, const char* label, size_t bytes) {
    MainWindow& w = window();
    w.Control<fw::EditField>("EFSource").Text(html(bytes));
    choose(w, label);
    letPaintsRun();
    for (auto _ : state) {
        state.PauseTiming();
        w.Control<fw::EditField>("EFDest").Text("");
        letPaintsRun();
        state.ResumeTiming();
        w.Control<fw::PushButton>("PBConvert").Push();
        letPaintsRun();
    }
    state.counters["result_MB"] = double(w.RawOutput.bytes().size()) / 1e6;
}

void BM_EngineOnly(benchmark::State& state, const char* label, size_t bytes) {
    window();
    const fw::String text = html(bytes);
    for (auto _ : state) benchmark::DoNotOptimize(quillet::Varnel(text, label));
}

// Showing a finished result: arg 0 wraps lines (the panes' designed state),
// arg 1 scrolls sideways.
void BM_ShowOnly(benchmark::State& state, const char* label, size_t bytes) {
    MainWindow& w = window();
    auto& dest = w.Control<fw::EditField>("EFDest");
    dest.ScrollBarHorizontal(state.range(0) != 0);
    const fw::String shown = fw::ReplaceLineEndings(quillet::Varnel(html(bytes), label), fw::EndOfLine);
    for (auto _ : state) {
        state.PauseTiming();
        dest.Text("");
        letPaintsRun();
        state.ResumeTiming();
        dest.Text(shown);
        letPaintsRun();
    }
    dest.ScrollBarHorizontal(false);
}

// Opening a 50 MB document until the source pane is painted; then
// converting it to "Javascript" and showing that. The counters give the
// process's peak resident memory as a multiple of the file (goal: open in
// at most 1 s, at most 10x after both).
void BM_OpenAndConvert(benchmark::State& state, size_t bytes) {
    MainWindow& w = window();
    const auto path = std::filesystem::temp_directory_path() / "varnel-bench" / "open.html";
    {
        std::ofstream out(path, std::ios::binary);
        const std::string text = html(bytes);
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
    }
    double convertMs = 0;
    rusage usage{};
    for (auto _ : state) {
        w.LoadFile(fw::String(path.string()));
        letPaintsRun();
        state.PauseTiming();
        getrusage(RUSAGE_SELF, &usage);
        state.counters["open_peak_x_file"] = double(usage.ru_maxrss) * 1024 / double(bytes);
        choose(w, "Javascript");
        const auto start = std::chrono::steady_clock::now();
        w.Control<fw::PushButton>("PBConvert").Push();
        letPaintsRun();
        convertMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        state.ResumeTiming();
    }
    getrusage(RUSAGE_SELF, &usage);
    state.counters["convert_ms"] = convertMs;
    state.counters["peak_x_file"] = double(usage.ru_maxrss) * 1024 / double(bytes);
}

constexpr size_t k10MB = 10'000'000;
constexpr size_t k1MB = 1'000'000;

#define VARNEL_BENCH(fn, name, label, bytes) \
    BENCHMARK_CAPTURE(fn, name, label, bytes)->Unit(benchmark::kMillisecond)->Iterations(2)

VARNEL_BENCH(BM_ClickToShown, CopyAsIs_10MB, "Copy as is", k10MB);
VARNEL_BENCH(BM_ClickToShown, HTML_10MB, "HTML", k10MB);
VARNEL_BENCH(BM_ClickToShown, Javascript_10MB, "Javascript", k10MB);
VARNEL_BENCH(BM_ClickToShown, Base64Encode_10MB, "Base64 Encode", k10MB);
VARNEL_BENCH(BM_ClickToShown, Pakkle_1MB, "Pakkle", k1MB);
VARNEL_BENCH(BM_ClickToShown, PakkleUnicode_1MB, "Pakkle (Unicode)", k1MB);
VARNEL_BENCH(BM_ClickToShown, Pakkle_10MB, "Pakkle", k10MB);
VARNEL_BENCH(BM_EngineOnly, Javascript_10MB, "Javascript", k10MB);
VARNEL_BENCH(BM_EngineOnly, Pakkle_1MB, "Pakkle", k1MB);
VARNEL_BENCH(BM_ShowOnly, Javascript_10MB, "Javascript", k10MB)->Arg(0)->Arg(1);
BENCHMARK_CAPTURE(BM_OpenAndConvert, Open_50MB, size_t(50'000'000))->Unit(benchmark::kMillisecond)->Iterations(1);
VARNEL_BENCH(BM_ShowOnly, UrlEncodeAll_1MB, "Url Encode (all chars)", k1MB)->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
