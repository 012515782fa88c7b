// Character walks and conversions over texts of the sizes the converters see.
#include <benchmark/benchmark.h>

#include <string>

#include "fw/core/TextEncoding.h"

namespace {

using fw::Encodings;

// Markup with some non-ASCII text, repeated to about `size` bytes of UTF-8.
std::string sampleUTF8(size_t size) {
    const std::string unit =
        "<p class=\"intro\">Grüße aus Köln, naïve café — “quoted” text, 100% fine.</p>\n"
        "<script>var s = 'Σύνολο: 3 € / Итого';</script>\n";
    std::string out;
    while (out.size() < size) out += unit;
    return out;
}

std::string sampleJapanese(size_t size) {
    const std::string unit = "<p>日本語のテキスト、カタカナ：テスト。漢字とひらがな。</p>\n";
    std::string out;
    while (out.size() < size) out += unit;
    return fw::EncodeFromUTF8(out, Encodings::ShiftJIS);
}

constexpr size_t k10MB = 10 << 20;

void BM_CharStartsUTF8(benchmark::State& state) {
    std::string text = sampleUTF8(k10MB);
    for (auto _ : state) benchmark::DoNotOptimize(Encodings::UTF8->CharStarts(text));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_CharStartsUTF8)->Unit(benchmark::kMillisecond);

void BM_CharStartsShiftJIS(benchmark::State& state) {
    std::string text = sampleJapanese(k10MB);
    for (auto _ : state) benchmark::DoNotOptimize(Encodings::ShiftJIS->CharStarts(text));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_CharStartsShiftJIS)->Unit(benchmark::kMillisecond);

void BM_DecodeWindowsLatin1(benchmark::State& state) {
    std::string text = fw::EncodeFromUTF8(sampleUTF8(20 << 20), Encodings::WindowsLatin1);
    for (auto _ : state) benchmark::DoNotOptimize(fw::DecodeToUTF8(text, Encodings::WindowsLatin1));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_DecodeWindowsLatin1)->Unit(benchmark::kMillisecond);

void BM_EncodeWindowsLatin1(benchmark::State& state) {
    std::string text = fw::DecodeToUTF8(fw::EncodeFromUTF8(sampleUTF8(20 << 20), Encodings::WindowsLatin1),
                                        Encodings::WindowsLatin1);
    for (auto _ : state) benchmark::DoNotOptimize(fw::EncodeFromUTF8(text, Encodings::WindowsLatin1));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_EncodeWindowsLatin1)->Unit(benchmark::kMillisecond);

// Greek and Cyrillic do not fit: every conversion is lossy and reported.
void BM_EncodeWindowsLatin1Lossy(benchmark::State& state) {
    fw::ConversionReport report;
    std::string text = sampleUTF8(20 << 20);
    for (auto _ : state) benchmark::DoNotOptimize(fw::EncodeFromUTF8(text, Encodings::WindowsLatin1, &report));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_EncodeWindowsLatin1Lossy)->Unit(benchmark::kMillisecond);

void BM_DecodeShiftJIS(benchmark::State& state) {
    std::string text = sampleJapanese(k10MB);
    for (auto _ : state) benchmark::DoNotOptimize(fw::DecodeToUTF8(text, Encodings::ShiftJIS));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_DecodeShiftJIS)->Unit(benchmark::kMillisecond);

void BM_ValidateUTF8(benchmark::State& state) {
    std::string text = sampleUTF8(k10MB);
    for (auto _ : state) benchmark::DoNotOptimize(fw::DecodeToUTF8(text, Encodings::UTF8));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ValidateUTF8)->Unit(benchmark::kMillisecond);

// Many short texts: what a character-by-character converter does.
void BM_ShortConversions(benchmark::State& state) {
    std::string one = "é";
    for (auto _ : state) benchmark::DoNotOptimize(fw::EncodeFromUTF8(one, Encodings::WindowsLatin1));
}
BENCHMARK(BM_ShortConversions);

}  // namespace
