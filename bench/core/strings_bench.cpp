// fw::String over 10 MB: the converters' character walk, the
// case-insensitive search and replace-all.
#include <benchmark/benchmark.h>

#include <string>

#include "fw/core/String.h"
#include "fw/core/TextEncoding.h"

using namespace fw;

namespace {

constexpr size_t kSize = 10 << 20;

std::string Repeat(const std::string& piece) {
    std::string out;
    out.reserve(kSize + piece.size());
    while (out.size() < kSize) out += piece;
    return out;
}

const std::string& AsciiHtml() {
    static const std::string text = Repeat(
        "<p class=\"x\">Hello <b>World</b> &amp; it's a test</p>\r\n<SCRIPT>var x = 1;</script>\n");
    return text;
}

const std::string& MixedUtf8() {
    static const std::string text = Repeat(
        "<p>Caf\xC3\xA9 \xC3\x89t\xC3\xA9 \xE2\x82\xAC 5, \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E "
        "\xCE\xA3\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1 \xF0\x9F\x98\x80</p>\n");
    return text;
}

// Len, then Mid(s, i, 1) for every i, as the converters walk a text. The
// string is made afresh each time so that its index is built every time.
void Walk(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        const String s(text);
        const int64_t n = Len(s);
        int64_t bytes = 0;
        for (int64_t i = 1; i <= n; ++i) bytes += LenB(Mid(s, i, 1));
        benchmark::DoNotOptimize(bytes);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_WalkAsciiHtml(benchmark::State& state) { Walk(state, AsciiHtml()); }
void BM_WalkMixedUtf8(benchmark::State& state) { Walk(state, MixedUtf8()); }

void BM_WalkLatin1(benchmark::State& state) {
    std::string text = Repeat("caf\xE9 na\xEFve \xC9t\xE9 ");
    for (auto _ : state) {
        const String s = String::FromBytes(text, Encodings::WindowsLatin1);
        const int64_t n = Len(s);
        int64_t sum = 0;
        for (int64_t i = 1; i <= n; ++i) sum += AscB(Mid(s, i, 1));
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void ReplaceBench(benchmark::State& state, const std::string& text, const char* find, const char* repl) {
    const String s(text);
    for (auto _ : state) benchmark::DoNotOptimize(ReplaceAll(s, find, repl));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_ReplaceAllScriptTag(benchmark::State& state) {
    ReplaceBench(state, AsciiHtml(), "</script>", "</s'+'cript>");
}
void BM_ReplaceAllShortAscii(benchmark::State& state) { ReplaceBench(state, AsciiHtml(), "<", "&lt;"); }
void BM_ReplaceAllAsciiInMixed(benchmark::State& state) { ReplaceBench(state, MixedUtf8(), "<P>", "<p>"); }
void BM_ReplaceAllNonAscii(benchmark::State& state) {
    ReplaceBench(state, MixedUtf8(), "\xC3\xA9T\xC3\x89", "ete");  // "éTÉ"
}

void InStrBench(benchmark::State& state, const std::string& text, const char* needle) {
    const String s(text + needle);
    for (auto _ : state) benchmark::DoNotOptimize(InStr(s, needle));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_InStrAsciiAtEnd(benchmark::State& state) { InStrBench(state, AsciiHtml(), "<NOT-THERE-YET>"); }
void BM_InStrNonAsciiAtEnd(benchmark::State& state) { InStrBench(state, MixedUtf8(), "\xC3\x89T\xC3\x89!"); }

// A converter's loop: InStr from the last hit to the next one, every "<".
void BM_InStrLoop(benchmark::State& state) {
    const String s(MixedUtf8());
    for (auto _ : state) {
        int64_t hits = 0;
        for (int64_t p = InStr(1, s, "<"); p > 0; p = InStr(p + 1, s, "<")) ++hits;
        benchmark::DoNotOptimize(hits);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * MixedUtf8().size()));
}

}  // namespace

BENCHMARK(BM_WalkAsciiHtml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkMixedUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WalkLatin1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllScriptTag)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllShortAscii)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllAsciiInMixed)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaceAllNonAscii)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InStrAsciiAtEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InStrNonAsciiAtEnd)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InStrLoop)->Unit(benchmark::kMillisecond);
