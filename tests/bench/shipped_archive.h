// The archive the build generates, as the benchmarks' input.
#pragma once

#include <fstream>
#include <iterator>
#include <vector>

inline std::vector<unsigned char> ShippedArchive() {
  std::ifstream file(GLOWMERE_BINARY_DIR "/generated/lang_archive.bin", std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}
