// LZARI decode throughput on archive-like UTF-16 text of the shipped archive's size
// (52028 bytes), plus the build-time encoder for comparison.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "../unit/lzari_sample_text.h"
#include "i18n/lzari_decoder.h"
#include "lzari_encoder.h"

namespace {

constexpr size_t kArchiveTextBytes = 52028;

void BM_LzariDecodeUtf16Text(benchmark::State& state) {
    const std::vector<uint8_t> text = lzari_sample::Utf16ArchiveText(kArchiveTextBytes);
    const std::vector<uint8_t> stream = LzariEncode(text.data(), text.size());
    std::vector<uint8_t> out(text.size() + 1);
    for (auto _ : state) {
        LzariDecoder decoder;
        decoder.DecodeFromMemory(stream.data(), stream.size(), out.data(), out.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    if (!std::equal(text.begin(), text.end(), out.begin())) state.SkipWithError("decoded text differs");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
    state.counters["text_bytes"] = static_cast<double>(text.size());
    state.counters["stream_bytes"] = static_cast<double>(stream.size());
}
BENCHMARK(BM_LzariDecodeUtf16Text)->Unit(benchmark::kMicrosecond);

void BM_LzariEncodeUtf16Text(benchmark::State& state) {
    const std::vector<uint8_t> text = lzari_sample::Utf16ArchiveText(kArchiveTextBytes);
    for (auto _ : state) {
        std::vector<uint8_t> stream = LzariEncode(text.data(), text.size());
        benchmark::DoNotOptimize(stream.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LzariEncodeUtf16Text)->Unit(benchmark::kMicrosecond);

}  // namespace
