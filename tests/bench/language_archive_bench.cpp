// Start-up cost of the language archive: find the block in an executable-sized image, expand,
// split and parse it; and the LZARI decode alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "i18n/language_archive_core.h"
#include "i18n/lzari_decoder.h"

namespace {

std::vector<unsigned char> ShippedArchive() {
  std::ifstream file(GLOWMERE_BINARY_DIR "/generated/lang_archive.bin", std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void BM_LoadFromImage(benchmark::State& state) {
  // Code-like bytes of about Glowmere.exe's size, the archive near the end where the
  // resource section lies.
  const std::vector<unsigned char> archive = ShippedArchive();
  std::vector<unsigned char> image(160 * 1024 + archive.size());
  uint32_t seed = 12345;
  for (auto& byte : image) byte = static_cast<unsigned char>((seed = seed * 1103515245u + 12345u) >> 24);
  std::copy(archive.begin(), archive.end(), image.end() - static_cast<std::ptrdiff_t>(archive.size() + 4096));
  for (auto _ : state) {
    if (!LanguageArchive::LoadFromImage(image.data(), image.size())) {
      state.SkipWithError("the archive did not load (is generated/lang_archive.bin built?)");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(image.size()));
}
BENCHMARK(BM_LoadFromImage)->Unit(benchmark::kMicrosecond);

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
