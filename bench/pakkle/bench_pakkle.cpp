// The compressor on 1.5 MB of real HTML (PAKKLE_CORPUS, written by
// corpus.sh) and on as much text of two random letters, in byte and
// character units. Two letters make long hash chains: per MB it should cost
// no more than HTML.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "engine/TPakkle.h"
#include "fw/core/TextEncoding.h"

namespace {

const std::string& Corpus() {
    static const std::string text = [] {
        const char* path = std::getenv("PAKKLE_CORPUS");
        std::string file = path ? path : "/tmp/pakkle-corpus.html";
        std::ifstream probe(file);
        if (!probe) {
            const std::string cmd = "bash \"" + std::string(PAKKLE_BENCH_DIR) + "/corpus.sh\" \"" + file + "\"";
            if (std::system(cmd.c_str()) != 0) return std::string();
        }
        std::ifstream in(file, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }();
    return text;
}

const std::string& TwoLetters() {
    static const std::string text = [] {
        std::mt19937 rng(15);
        std::string s(Corpus().size(), 'a');
        for (char& c : s) c = (rng() & 1) ? 'a' : 'b';
        return s;
    }();
    return text;
}

void Compress(benchmark::State& state, bool unicode, const std::string& bytes = Corpus()) {
    const fw::String text = fw::String::FromBytes(bytes, fw::Encodings::UTF8);
    if (text.empty()) {
        state.SkipWithError("no corpus");
        return;
    }
    size_t out = 0;
    for (auto _ : state) {
        TPakkle pakkle;
        const fw::String page = pakkle.CompressHtml(text, "", unicode);
        out = page.bytes().size();
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.bytes().size()));
    state.counters["ratio"] = static_cast<double>(out) / static_cast<double>(text.bytes().size());
}

void BM_PakkleBytes(benchmark::State& state) { Compress(state, false); }
void BM_PakkleCharacters(benchmark::State& state) { Compress(state, true); }
void BM_PakkleBytesTwoLetters(benchmark::State& state) { Compress(state, false, TwoLetters()); }
void BM_PakkleCharactersTwoLetters(benchmark::State& state) { Compress(state, true, TwoLetters()); }

BENCHMARK(BM_PakkleBytes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PakkleCharacters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PakkleBytesTwoLetters)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PakkleCharactersTwoLetters)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
