// Every conversion label on 1 MB and 10 MB of HTML, with the cooperative
// yield live (a hook installed, as in the application).
#include <benchmark/benchmark.h>

#include "SampleHtml.h"
#include "engine/quillet.h"
#include "fw/core/BackgroundTask.h"
#include "fw/core/Encoders.h"
#include "fw/core/TextEncoding.h"

namespace {

fw::String InputFor(const std::string& label, size_t bytes) {
    fw::String html(SampleHtml(bytes));
    if (label == "Base64 Decode") return fw::EncodeBase64(html, 76);
    if (label == "Quoted Printable Decode") return fw::EncodeQuotedPrintable(html);
    if (label == "Url Decode") return fw::EncodeURLComponent(html);
    return html;
}

void Convert(benchmark::State& state, const char* label, int32_t length) {
    fw::SetBackgroundTaskHook([] {});
    quillet::stringlength = length;
    quillet::SourceEncoding = fw::Encodings::UTF8;
    quillet::DestEncoding = fw::Encodings::UTF8;
    const size_t bytes = static_cast<size_t>(state.range(0)) << 20;
    fw::String input = InputFor(label, bytes);
    fw::String label_(label);
    for (auto _ : state) benchmark::DoNotOptimize(quillet::Varnel(input, label_));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(input.bytes().size()));
    fw::SetBackgroundTaskHook(nullptr);
}

#define LABEL(name, text, length) \
    BENCHMARK_CAPTURE(Convert, name, text, length)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond)

LABEL(Javascript, "Javascript", 0);
LABEL(Javascript_80, "Javascript", 80);
LABEL(JavascriptVariable, "Javascript variable", 0);
LABEL(JavascriptEncode, "Javascript encode", 0);
LABEL(JavascriptEncode_80, "Javascript encode", 80);
LABEL(HTML, "HTML", 0);
LABEL(HTMLPage, "HTML page", 0);
LABEL(PlainText, "Plain text", 0);
LABEL(CopyAsIs, "Copy as is", 0);
LABEL(Base64Encode, "Base64 Encode", 76);
LABEL(Base64Decode, "Base64 Decode", 0);
LABEL(QuotedPrintableEncode, "Quoted Printable Encode", 0);
LABEL(QuotedPrintableDecode, "Quoted Printable Decode", 0);
LABEL(UrlEncodeAllChars, "Url Encode (all chars)", 0);
LABEL(UrlEncodeAllChars_80, "Url Encode (all chars)", 80);
LABEL(UrlEncode, "Url Encode", 0);
LABEL(UrlDecode, "Url Decode", 0);
LABEL(ASCIIToCode, "ASCII to code", 0);

}  // namespace

BENCHMARK_MAIN();
