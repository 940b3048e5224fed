// Start-up cost of the language archive: find the block in an executable-sized image,
// expand it, split and parse it. Uses the archive the build generated.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "i18n/language_archive_core.h"

namespace {

constexpr size_t kImageSize = 160 * 1024;  // about the size of Glowmere.exe

std::vector<unsigned char> ShippedArchive() {
  std::ifstream file(GLOWMERE_BINARY_DIR "/generated/lang_archive.bin", std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// Code-like bytes with the archive near the end, where the resource section lies.
std::vector<unsigned char> ExecutableImage(const std::vector<unsigned char>& archive) {
  std::vector<unsigned char> image(kImageSize);
  uint32_t state = 12345;
  for (auto& byte : image) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<unsigned char>(state >> 24);
  }
  const size_t at = image.size() > archive.size() + 4096 ? image.size() - archive.size() - 4096 : 0;
  std::copy(archive.begin(), archive.end(), image.begin() + static_cast<std::ptrdiff_t>(at));
  return image;
}

void BM_LoadFromImage(benchmark::State& state) {
  const std::vector<unsigned char> archive = ShippedArchive();
  if (archive.empty()) {
    state.SkipWithError("generated/lang_archive.bin missing: build the lang archive first");
    return;
  }
  const std::vector<unsigned char> image = ExecutableImage(archive);
  for (auto _ : state) {
    if (!LanguageArchive::LoadFromImage(image.data(), image.size())) {
      state.SkipWithError("the archive did not load");
      return;
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(image.size()));
}
BENCHMARK(BM_LoadFromImage)->Unit(benchmark::kMicrosecond);

void BM_FindArchiveBlock(benchmark::State& state) {
  const std::vector<unsigned char> image = ExecutableImage(ShippedArchive());
  LanguageArchive::ArchiveBlock block;
  for (auto _ : state) benchmark::DoNotOptimize(LanguageArchive::FindArchiveBlock(image.data(), image.size(), &block));
}
BENCHMARK(BM_FindArchiveBlock)->Unit(benchmark::kMicrosecond);

void BM_LoadFromBlock(benchmark::State& state) {
  const std::vector<unsigned char> image = ExecutableImage(ShippedArchive());
  LanguageArchive::ArchiveBlock block;
  if (!LanguageArchive::FindArchiveBlock(image.data(), image.size(), &block)) {
    state.SkipWithError("no archive block");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(LanguageArchive::LoadFromBlock(block.data, block.size));
}
BENCHMARK(BM_LoadFromBlock)->Unit(benchmark::kMicrosecond);

}  // namespace
