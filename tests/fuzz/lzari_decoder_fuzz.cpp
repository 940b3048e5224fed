// Fuzzes LzariDecoder with arbitrary blocks: it must never read outside the block,
// never store past its capacity, and always end.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "i18n/lzari_decoder.h"

namespace {

// A header may declare up to 4 GiB, and the decoder runs until it has produced
// that much. Larger values are folded into a range that grows with the input
// (so short inputs run fast) up to this, which still passes the first rescale.
constexpr uint32_t kMaxFuzzLength = 1u << 16;
constexpr uint32_t kFuzzLengthPerInputByte = 32;

uint32_t ReadDeclared(const std::vector<uint8_t>& block) {
  return uint32_t{block[0]} | uint32_t{block[1]} << 8 | uint32_t{block[2]} << 16 | uint32_t{block[3]} << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Exact-size heap copies, so that the sanitizer sees any access past either end.
  std::vector<uint8_t> block(data, data + size);
  LzariDecoder decoder;
  if (size < LzariDecoder::kHeaderSize) {
    std::vector<uint8_t> out(8);
    if (decoder.DecodeFromMemory(block.data(), block.size(), out.data(), out.size())) std::abort();
    return 0;
  }

  uint32_t declared = ReadDeclared(block);
  const uint32_t limit = static_cast<uint32_t>(std::min<size_t>(kMaxFuzzLength, kFuzzLengthPerInputByte * size));
  if (declared > limit) {
    declared %= limit + 1;
    for (int k = 0; k < 4; ++k) block[k] = static_cast<uint8_t>(declared >> (8 * k));
  }
  // Every fourth input decodes into too small a buffer (the capacity rule);
  // the rest go through the convenience call, which must deliver all bytes.
  if ((block.back() & 3) == 0) {
    std::vector<uint8_t> out(declared / 2);
    if (!decoder.DecodeFromMemory(block.data(), block.size(), out.data(), out.size())) std::abort();
    if (decoder.DeclaredLength() != declared) std::abort();
  } else {
    std::vector<uint8_t> whole;
    const bool decoded = LzariDecode(block.data(), block.size(), whole);
    if (decoded != (declared <= LzariLengthLimit(block.size()))) std::abort();
    if (whole.size() != (decoded ? declared : 0)) std::abort();
  }
  return 0;
}
