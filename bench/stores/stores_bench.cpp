// The cooperative yield's cost per call, and settings files of many entries
// read and written.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "applib/VellSettings.h"
#include "fw/core/BackgroundTask.h"

namespace fs = std::filesystem;

namespace {

void BM_YieldWithHook(benchmark::State& state) {
    int64_t handed = 0;
    fw::SetBackgroundTaskHook([&] { ++handed; });
    for (auto _ : state) fw::RuntimeBackgroundTask();
    fw::SetBackgroundTaskHook(nullptr);
    state.counters["handovers"] = double(handed);
}
BENCHMARK(BM_YieldWithHook);

void BM_YieldWithoutHook(benchmark::State& state) {
    for (auto _ : state) fw::RuntimeBackgroundTask();
}
BENCHMARK(BM_YieldWithoutHook);

struct SettingsFolder {
    SettingsFolder() {
        std::string tmpl = (fs::temp_directory_path() / "varnel-bench-XXXXXX").string();
        if (::mkdtemp(tmpl.data())) dir = tmpl;
        ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    }
    ~SettingsFolder() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    fs::path dir;
};

void writeSettingsFile(const fs::path& p, int64_t entries) {
    std::ofstream out(p, std::ios::binary);
    for (int64_t i = 0; i < entries; ++i) {
        if (i % 100 == 0) out << "[Section" << i / 100 << "]\n";
        out << "Name" << i << "=Value number " << i << ", with some text\n";
    }
}

void BM_LoadSettings(benchmark::State& state) {
    SettingsFolder folder;
    writeSettingsFile(folder.dir / "bench.ini", state.range(0));
    for (auto _ : state) {
        VellSettings s("bench.ini", true);
        benchmark::DoNotOptimize(s.Storage.Count());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * int64_t(fs::file_size(folder.dir / "bench.ini")));
}
BENCHMARK(BM_LoadSettings)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SaveSettings(benchmark::State& state) {
    SettingsFolder folder;
    writeSettingsFile(folder.dir / "bench.ini", state.range(0));
    VellSettings s("bench.ini", true);
    for (auto _ : state) s.SaveSettings("");
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SaveSettings)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
