// The fw/core encoders on large inputs: Base64 both ways on 100 MB of
// random bytes (compare_base64.sh sets the system base64 beside it), and
// URL encoding of 10 MB of HTML.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>

#include "SampleHtml.h"
#include "fw/core/Encoders.h"

namespace {

fw::String RandomBytes(size_t n) {
    std::mt19937_64 rng(2045);
    std::string s(n, '\0');
    for (size_t i = 0; i + 8 <= n; i += 8) {
        uint64_t v = rng();
        std::memcpy(&s[i], &v, 8);
    }
    return fw::String::FromBytes(std::move(s), nullptr);
}

const fw::String& Data100MB() {
    static const fw::String data = RandomBytes(100u << 20);
    return data;
}

void Base64Encode(benchmark::State& state) {
    const fw::String& data = Data100MB();
    for (auto _ : state) benchmark::DoNotOptimize(fw::EncodeBase64(data, state.range(0)));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(data.bytes().size()));
}
BENCHMARK(Base64Encode)->Arg(0)->Arg(76)->Unit(benchmark::kMillisecond);

void Base64Decode(benchmark::State& state) {
    const fw::String coded = fw::EncodeBase64(Data100MB(), state.range(0));
    for (auto _ : state) benchmark::DoNotOptimize(fw::DecodeBase64(coded));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Data100MB().bytes().size()));
}
BENCHMARK(Base64Decode)->Arg(0)->Arg(76)->Unit(benchmark::kMillisecond);

void UrlEncode10MB(benchmark::State& state) {
    const fw::String html(SampleHtml(10u << 20));
    for (auto _ : state) benchmark::DoNotOptimize(fw::EncodeURLComponent(html));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(html.bytes().size()));
}
BENCHMARK(UrlEncode10MB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
