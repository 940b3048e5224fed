// Start-up cost of the language archive: find the block in an executable-sized image,
// expand, split and parse it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>

#include "i18n/language_archive_core.h"
#include "shipped_archive.h"

namespace {

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

}  // namespace
