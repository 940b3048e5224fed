// LZARI decode throughput on the shipped archive's stream.
#include <benchmark/benchmark.h>

#include "i18n/language_archive_core.h"
#include "i18n/lzari_decoder.h"
#include "shipped_archive.h"

namespace {

void BM_LzariDecodeShippedArchive(benchmark::State& state) {
  const std::vector<unsigned char> image = ShippedArchive();
  LanguageArchive::ArchiveBlock block;
  if (!LanguageArchive::FindArchiveBlock(image.data(), image.size(), &block)) {
    state.SkipWithError("generated/lang_archive.bin missing or without its markers");
    return;
  }
  std::vector<uint8_t> text;
  for (auto _ : state) {
    if (!LzariDecode(block.data, block.size, text)) state.SkipWithError("the stream did not decode");
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_LzariDecodeShippedArchive)->Unit(benchmark::kMicrosecond);

}  // namespace
